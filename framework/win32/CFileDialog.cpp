// CFileDialog::DoModal on the platform's choosers (GetOpenFileNameW,
// GetSaveFileNameW). With a test's handler the chooser is built by the
// platform, described to the handler as it opens and closed; the handler's
// answer is then taken as the user's choice.
#include "CFileDialog.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <dlgs.h>

#include "TestHookState.h"
#include "TextEncoding.h"
#include "WindowDescription.h"
#include "WindowMap.h"

namespace {

struct PendingChooser {
    bool saveMode = false;
    const OPENFILENAME* settings = nullptr;
    const std::function<std::optional<std::string>(const AfxFileChooserInfo&)>* handler = nullptr;
    std::optional<std::string> answer;
};
PendingChooser g_chooser;

// "a\0b\0\0" in UTF-8 to the same in UTF-16.
std::wstring WideList(const char* list)
{
    std::wstring wide;
    for (const char* item = list; item && *item; item += std::strlen(item) + 1)
        wide += Utf8ToWide(item) + L'\0';
    return wide + L'\0';
}

std::string FolderOf(HWND chooser)
{
    wchar_t folder[32768] = {};
    SendMessageW(chooser, CDM_GETFOLDERPATH, std::size(folder), reinterpret_cast<LPARAM>(folder));
    return WideToUtf8(folder);
}

AfxFileChooserInfo Describe(HWND chooser, const OPENFILENAME& settings, bool saveMode)
{
    AfxFileChooserInfo info;
    info.saveMode = saveMode;
    info.nativeDialog = true;
    info.title = AfxWindowText(chooser);
    if (settings.lpstrInitialDir)
        info.initialDirectory = settings.lpstrInitialDir;
    info.directory = FolderOf(chooser);
    wchar_t file[32768] = {};
    SendMessageW(chooser, CDM_GETFILEPATH, std::size(file), reinterpret_cast<LPARAM>(file));
    info.selectedFile = WideToUtf8(file);
    info.defaultSuffix = settings.lpstrDefExt ? settings.lpstrDefExt : "";
    if (HWND types = GetDlgItem(chooser, cmb1)) {
        const LRESULT count = SendMessageW(types, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring item(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
            item.resize(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
            info.nameFilters.push_back(WideToUtf8(item));
        }
        const LRESULT selected = SendMessageW(types, CB_GETCURSEL, 0, 0);
        if (selected >= 0 && static_cast<std::size_t>(selected) < info.nameFilters.size())
            info.selectedNameFilter = info.nameFilters[static_cast<std::size_t>(selected)];
    }
    info.acceptLabel = AfxWindowText(GetDlgItem(chooser, IDOK));
    info.existingFilesOnly = settings.Flags & OFN_FILEMUSTEXIST;
    info.confirmOverwrite = settings.Flags & OFN_OVERWRITEPROMPT;
    info.ownerTitle = AfxOwnerTitle(chooser);
    info.modal = AfxIsModal(chooser);
    return info;
}

UINT_PTR CALLBACK WatchTheChooser(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<const OFNOTIFYW*>(lParam)->hdr.code == CDN_INITDONE) {
        HWND chooser = GetParent(child);
        g_chooser.answer = (*g_chooser.handler)(Describe(chooser, *g_chooser.settings, g_chooser.saveMode));
        PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return 0;
}

}  // namespace

INT_PTR CFileDialog::DoModal()
{
    const std::wstring filter = WideList(m_ofn.lpstrFilter);
    const std::wstring title = Utf8ToWide(m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "");
    const std::wstring initialDir = Utf8ToWide(m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : "");
    const std::wstring defaultExtension = Utf8ToWide(m_ofn.lpstrDefExt ? m_ofn.lpstrDefExt : "");
    // UTF-16 never needs more units than UTF-8 needs bytes.
    std::vector<wchar_t> file(m_ofn.nMaxFile, L'\0');
    const std::wstring initialName = Utf8ToWide(m_ofn.lpstrFile ? m_ofn.lpstrFile : "");
    initialName.copy(file.data(), std::min<std::size_t>(initialName.size(), file.size() - 1));

    OPENFILENAMEW settings{};
    settings.lStructSize = sizeof settings;
    settings.hwndOwner = AfxRootWindow(m_pParentWnd);
    settings.lpstrFilter = m_ofn.lpstrFilter ? filter.c_str() : nullptr;
    settings.nFilterIndex = m_ofn.nFilterIndex;
    settings.lpstrFile = file.data();
    settings.nMaxFile = static_cast<DWORD>(file.size());
    settings.lpstrInitialDir = m_ofn.lpstrInitialDir ? initialDir.c_str() : nullptr;
    settings.lpstrTitle = m_ofn.lpstrTitle ? title.c_str() : nullptr;
    settings.Flags = m_ofn.Flags | OFN_EXPLORER;
    settings.lpstrDefExt = m_ofn.lpstrDefExt ? defaultExtension.c_str() : nullptr;
    const auto show = [&] {
        const BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameW(&settings) : GetSaveFileNameW(&settings);
        return chosen ? std::optional(WideToUtf8(file.data())) : std::nullopt;
    };

    const std::optional<std::string> chosen = AfxTestHooks::AnswerModal(
        AfxTestHooks::FileChooserHandler(), "file chooser", m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "",
        [&](const auto& handler) {
            g_chooser = {!m_bOpenFileDialog, &m_ofn, &handler, std::nullopt};
            settings.Flags |= OFN_ENABLEHOOK;
            settings.lpfnHook = WatchTheChooser;
            show();
            const std::optional<std::string> answer = g_chooser.answer;
            g_chooser = {};
            return answer;
        },
        show, std::optional<std::string>());

    return TakeChosen(chosen);
}
