// Where the test hooks keep their handlers (see TestHooks.h), and the one
// sequence every modal window of the framework goes through.
#pragma once

#include "TestHooks.h"

namespace AfxTestHooks {

std::function<int(const AfxMessageBoxInfo&)>& MessageBoxHandler();
std::function<std::optional<std::string>(const AfxFileChooserInfo&)>& FileChooserHandler();
std::function<void(const AfxHelpWindowInfo&)>& HelpWindowHandler();
std::function<void(CDialog&)>& DialogHandler();
std::function<std::optional<unsigned>(const AfxPopupMenuInfo&)>& PopupMenuHandler();

// In strict mode: reports and counts a modal window no handler answers, and
// returns true, so that the caller does not show it.
bool SkipUnanswered(const char* kind, const std::string& title);

// Whether string-table lookups of id are to find nothing.
bool StringHidden(unsigned id);

// A modal window, built in full, is answered by the test's handler if there
// is one (ask(handler) describes it and returns the handler's answer); in
// strict mode without a handler it is taken as unanswered; otherwise show()
// shows it to the user and returns what the user chose.
template <class Handler, class Ask, class Show, class Answer>
Answer AnswerModal(const Handler& handler, const char* kind, const std::string& title, Ask ask, Show show,
                   Answer unanswered)
{
    if (handler)
        return ask(handler);
    if (SkipUnanswered(kind, title))
        return unanswered;
    return show();
}

}  // namespace AfxTestHooks
