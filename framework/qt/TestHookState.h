// Where the test hooks keep their handlers; see TestHooks.h.
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

}  // namespace AfxTestHooks
