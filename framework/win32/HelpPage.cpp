// The help page on Windows: the program's page beside the .exe, shown in the
// user's browser.
#include "AfxPlatform.h"
#include "CWnd.h"

#include <shellapi.h>

#include "TestHookState.h"
#include "TextEncoding.h"
#include "WindowDescription.h"
#include "WindowMap.h"

AfxHelpSearch AfxFindHelpPage(const std::string& pageName)
{
    wchar_t program[MAX_PATH];
    const std::wstring path(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
    const std::wstring page = folder + L"\\" + Utf8ToWide(pageName);
    const DWORD attributes = GetFileAttributesW(page.c_str());
    AfxHelpSearch search;
    search.folders.push_back(WideToUtf8(folder));
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        search.page = WideToUtf8(page);
    return search;
}

void AfxShowHelpPage(CWnd* owner, const std::string& page, const std::string& title)
{
    HWND ownerWindow = AfxRootWindow(owner);
    AfxTestHooks::AnswerModal(
        AfxTestHooks::HelpWindowHandler(), "help window", title,
        [&](const auto& handler) {
            // The browser is not the program's to describe: the test gets the page.
            handler({title, page, ownerWindow ? AfxWindowText(ownerWindow) : std::string(), false});
            return 0;
        },
        [&] {
            ShellExecuteW(ownerWindow, L"open", Utf8ToWide(page).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            return 0;
        },
        0);
}
