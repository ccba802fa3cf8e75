// CWnd::MessageBoxA on the platform's message box. With a test's handler
// the box is built by the platform, described to the handler as it opens,
// and closed with the handler's answer.
#include "CWinApp.h"
#include "TestHookState.h"
#include "TextEncoding.h"
#include "WindowDescription.h"
#include "WindowMap.h"

namespace {

struct PendingBox {
    const std::function<int(const AfxMessageBoxInfo&)>* handler = nullptr;
    HHOOK hook = nullptr;
    bool answered = false;
};
PendingBox g_box;

AfxMessageBoxInfo Describe(HWND box)
{
    AfxMessageBoxInfo info;
    info.caption = AfxWindowText(box);
    for (HWND child : AfxVisibleChildren(box)) {
        const std::string kind = AfxClassName(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (kind == "Button")
            info.buttons.push_back(AfxWindowText(child));
        else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON)
            info.hasIcon = info.hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        else if (kind == "Static" && info.text.empty())
            info.text = AfxWindowText(child);
    }
    info.ownerTitle = AfxOwnerTitle(box);
    info.modal = AfxIsModal(box);
    return info;
}

LRESULT CALLBACK WatchForTheBox(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && !g_box.answered) {
        HWND box = reinterpret_cast<HWND>(wParam);
        g_box.answered = true;
        const int answer = (*g_box.handler)(Describe(box));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    }
    return CallNextHookEx(g_box.hook, code, wParam, lParam);
}

}  // namespace

int CWnd::MessageBoxA(LPCSTR text, LPCSTR caption, UINT type)
{
    CWinApp* app = AfxGetApp();
    const std::wstring wideText = Utf8ToWide(text ? text : "");
    const std::wstring wideCaption = Utf8ToWide(caption ? caption : app ? app->AppName() : "");
    HWND owner = AfxRootWindow(this);
    const auto show = [&] { return ::MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(), type); };
    return AfxTestHooks::AnswerModal(
        AfxTestHooks::MessageBoxHandler(), "message box", text ? text : "",
        [&](const auto& handler) {
            g_box = {&handler, SetWindowsHookExW(WH_CBT, WatchForTheBox, nullptr, GetCurrentThreadId()), false};
            const int answer = show();
            UnhookWindowsHookEx(g_box.hook);
            g_box = {};
            return answer;
        },
        show, static_cast<int>(IDOK));
}
