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
