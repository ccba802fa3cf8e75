#include "TestHookState.h"

#include <cstdio>

namespace AfxTestHooks {

namespace {
bool g_strict = false;
int g_unanswered = 0;
unsigned g_hiddenString = 0;
}  // namespace

void SetStrict(bool strict)
{
    g_strict = strict;
}

int UnansweredCount()
{
    return g_unanswered;
}

bool SkipUnanswered(const char* kind, const std::string& title)
{
    if (!g_strict)
        return false;
    ++g_unanswered;
    std::fprintf(stderr, "Unanswered %s \"%s\" taken as cancelled\n", kind, title.c_str());
    return true;
}

void HideString(unsigned id)
{
    g_hiddenString = id;
}

bool StringHidden(unsigned id)
{
    return id != 0 && id == g_hiddenString;
}

std::function<int(const AfxMessageBoxInfo&)>& MessageBoxHandler()
{
    static std::function<int(const AfxMessageBoxInfo&)> handler;
    return handler;
}

std::function<std::optional<std::string>(const AfxFileChooserInfo&)>& FileChooserHandler()
{
    static std::function<std::optional<std::string>(const AfxFileChooserInfo&)> handler;
    return handler;
}

std::function<void(const AfxHelpWindowInfo&)>& HelpWindowHandler()
{
    static std::function<void(const AfxHelpWindowInfo&)> handler;
    return handler;
}

std::function<void(CDialog&)>& DialogHandler()
{
    static std::function<void(CDialog&)> handler;
    return handler;
}

std::function<std::optional<unsigned>(const AfxPopupMenuInfo&)>& PopupMenuHandler()
{
    static std::function<std::optional<unsigned>(const AfxPopupMenuInfo&)> handler;
    return handler;
}

void SetPopupMenuHandler(std::function<std::optional<unsigned>(const AfxPopupMenuInfo&)> handler)
{
    PopupMenuHandler() = std::move(handler);
}

void SetMessageBoxHandler(std::function<int(const AfxMessageBoxInfo&)> handler)
{
    MessageBoxHandler() = std::move(handler);
}

void SetFileChooserHandler(std::function<std::optional<std::string>(const AfxFileChooserInfo&)> handler)
{
    FileChooserHandler() = std::move(handler);
}

void SetHelpWindowHandler(std::function<void(const AfxHelpWindowInfo&)> handler)
{
    HelpWindowHandler() = std::move(handler);
}

void SetDialogHandler(std::function<void(CDialog&)> handler)
{
    DialogHandler() = std::move(handler);
}

void Reset()
{
    MessageBoxHandler() = nullptr;
    FileChooserHandler() = nullptr;
    HelpWindowHandler() = nullptr;
    DialogHandler() = nullptr;
    PopupMenuHandler() = nullptr;
    g_hiddenString = 0;
}

}  // namespace AfxTestHooks
