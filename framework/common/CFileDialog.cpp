#include "CFileDialog.h"

#include <cstring>

#include "FileFilter.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_defaultExtension(lpszDefExt ? lpszDefExt : ""),
      m_filter(BarsToNuls(lpszFilter)),
      m_fileName{},
      m_ofn{},
      m_pParentWnd(pParentWnd)
{
    if (lpszFileName)
        std::strncpy(m_fileName, lpszFileName, sizeof m_fileName - 1);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_fileName;
    m_ofn.nMaxFile = sizeof m_fileName;
    m_ofn.Flags = dwFlags;
    m_ofn.lpstrDefExt = lpszDefExt ? m_defaultExtension.c_str() : nullptr;
}

INT_PTR CFileDialog::TakeChosen(const std::optional<std::string>& chosen)
{
    // A path longer than the record holds counts as a cancel.
    if (!chosen || chosen->empty() || chosen->size() >= m_ofn.nMaxFile)
        return IDCANCEL;
    std::memcpy(m_ofn.lpstrFile, chosen->c_str(), chosen->size() + 1);
    m_pathName = chosen->c_str();
    return IDOK;
}
