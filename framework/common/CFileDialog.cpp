#include "CFileDialog.h"

#include <cstring>

#include "FileFilter.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFilter(BarsToNuls(lpszFilter)),
      m_szFileName{},
      m_ofn{},
      m_pParentWnd(pParentWnd)
{
    if (lpszFileName)
        std::strncpy(m_szFileName, lpszFileName, sizeof m_szFileName - 1);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.Flags = dwFlags;
    m_ofn.lpstrDefExt = lpszDefExt ? m_strDefExt.c_str() : nullptr;
}

INT_PTR CFileDialog::TakeChosen(const std::optional<std::string>& chosen)
{
    // A path longer than the record holds counts as a cancel.
    if (!chosen || chosen->empty() || chosen->size() >= m_ofn.nMaxFile)
        return IDCANCEL;
    std::memcpy(m_ofn.lpstrFile, chosen->c_str(), chosen->size() + 1);
    m_strPathName = chosen->c_str();
    return IDOK;
}
