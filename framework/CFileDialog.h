// CFileDialog: the platform's file chooser, to open or to save a file.
#pragma once

#include <optional>
#include <string>

#include "CString.h"
#include "CWnd.h"

#if !defined(_WIN32)
// The settings record of the platform's chooser (Windows has its own).
struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    LPCSTR lpstrFilter;  // "description\0pattern\0...\0\0"
    DWORD nFilterIndex;  // from 1
    LPSTR lpstrFile;     // the initial name in, the chosen path out
    DWORD nMaxFile;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    LPCSTR lpstrDefExt;
};
typedef OPENFILENAMEA OPENFILENAME;
#endif

class CFileDialog {
public:
    // lpszFilter lists pairs of description and pattern, each ended by "|",
    // the list ended by a second "|".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // The settings record, to change before DoModal.
    OPENFILENAME& GetOFN() { return m_ofn; }
    // IDOK when the user chose a file, IDCANCEL otherwise.
    virtual INT_PTR DoModal();
    // The chosen file's full path.
    CString GetPathName() const { return m_strPathName; }

private:
    // The chooser's answer into the settings record: IDOK with the path, or
    // IDCANCEL for no path or one longer than the record holds.
    INT_PTR TakeChosen(const std::optional<std::string>& chosen);

    BOOL m_bOpenFileDialog;
    std::string m_strDefExt;
    std::string m_strFilter;
    // The chosen path, as long as a Linux path may be (PATH_MAX); Windows'
    // own limit without the \\?\ prefix, MAX_PATH, is far below it.
    char m_szFileName[4096];
    OPENFILENAME m_ofn;
    CWnd* m_pParentWnd;
    CString m_strPathName;
};
