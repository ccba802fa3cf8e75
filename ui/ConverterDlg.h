// The main dialog: the input and output paths, a Browse button beside each,
// and OK, Abbrechen, Hilfe. OK runs the conversion command with the dialog
// as its host. The system menu offers the About box.
#pragma once

#include "RunConversion.h"
#include "afxwin.h"
#include "resource.h"

class CConverterDlg : public CDialog, public ConversionHost {
public:
    explicit CConverterDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_CONVERTER_DIALOG };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    // The conversion command's host
    std::string ReadInputField() override;
    std::string ReadOutputField() override;
    void ShowMessage(const std::string& text) override;
    void CloseWithOk() override;

    HICON m_hIcon;
    CString m_strInputPath;
    CString m_strOutputPath;
    CEdit m_editInput;
    CEdit m_editOutput;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnBrowseInput();
    afx_msg void OnBrowseOutput();
    DECLARE_MESSAGE_MAP()
};
