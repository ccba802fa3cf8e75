#include "TestHookState.h"

namespace AfxTestHooks {

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
}

}  // namespace AfxTestHooks
