#include "ConverterDlg.h"

#include "AboutDlg.h"
#include "PathFolders.h"
#include "TextEncoding.h"

CConverterDlg::CConverterDlg(CWnd* pParent)
    : CDialog(CConverterDlg::IDD, pParent), m_strOutputPath("phonebook.txt")
{
    m_hIcon = LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON),
                        MAKEINTRESOURCE(IDR_MAINFRAME));
}

void CConverterDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDIT_INPUT, m_editInput);
    DDX_Control(pDX, IDC_EDIT_OUTPUT, m_editOutput);
}

BEGIN_MESSAGE_MAP(CConverterDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_BROWSE_INPUT, &CConverterDlg::OnBrowseInput)
    ON_BN_CLICKED(IDC_BROWSE_OUTPUT, &CConverterDlg::OnBrowseOutput)
END_MESSAGE_MAP()

BOOL CConverterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The About entry at the end of the system menu. Its identifier must be
    // a system command's: a multiple of 16, below the platform's own.
    static_assert((IDM_ABOUTBOX & 0xFFF0) == IDM_ABOUTBOX && IDM_ABOUTBOX < 0xF000);
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != nullptr) {
        CString strAboutMenu;
        strAboutMenu.LoadStringA(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenuA(MF_SEPARATOR);
            pSysMenu->AppendMenuA(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SendMessageA(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_editInput.SetWindowTextA(m_strInputPath);
    m_editOutput.SetWindowTextA(m_strOutputPath);

    return TRUE;  // the first tab stop, OK, takes the focus
}

void CConverterDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

// Painted while minimised, the dialog shows its icon in the middle.
void CConverterDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);

        SendMessageA(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        const int x = (rect.Width() - cxIcon + 1) / 2;
        const int y = (rect.Height() - cyIcon + 1) / 2;

        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
}

// The cursor shown while the user drags the minimised window.
HCURSOR CConverterDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CConverterDlg::OnOK()
{
    RunConversion(*this);
}

std::string CConverterDlg::ReadInputField()
{
    m_editInput.GetWindowTextA(m_strInputPath);
    return m_strInputPath.Str();
}

std::string CConverterDlg::ReadOutputField()
{
    m_editOutput.GetWindowTextA(m_strOutputPath);
    return m_strOutputPath.Str();
}

void CConverterDlg::ShowMessage(const std::string& text)
{
    // The conversion speaks Windows-1252; the window system here wants UTF-8.
    MessageBoxA(Windows1252ToUtf8(text).c_str(), nullptr, MB_OK);
}

void CConverterDlg::CloseWithOk()
{
    CDialog::OnOK();
}

void CConverterDlg::OnBrowseInput()
{
    m_editInput.GetWindowTextA(m_strInputPath);

    CFileDialog dlg(TRUE, "adr", m_strInputPath, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    "FritzBox Telefonbuch (*.adr;*.xml)|*.adr;*.xml|Alle Dateien (*.*)|*.*||", this);
    dlg.GetOFN().lpstrTitle = "Eingabedatei (FritzBox Telefonbuch)";

    if (dlg.DoModal() == IDOK) {
        m_strInputPath = dlg.GetPathName();
        m_editInput.SetWindowTextA(m_strInputPath);
    }
}

void CConverterDlg::OnBrowseOutput()
{
    m_editInput.GetWindowTextA(m_strInputPath);
    m_editOutput.GetWindowTextA(m_strOutputPath);

    CFileDialog dlg(FALSE, "txt", m_strOutputPath, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                    "Text Dateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*||", this);
    dlg.GetOFN().lpstrTitle = "Ausgabedatei (klingeo Telefonbuchdatei)";

    // A bare output name belongs in the input file's folder, so the chooser
    // starts there. The settings record only points at the text, which must
    // live until the chooser has closed.
    const std::optional<std::string> strStart =
        ChooserStartFolder(m_strInputPath.GetString(), m_strOutputPath.GetString());
    const CString strInitialDir(strStart.value_or(std::string()));
    if (strStart)
        dlg.GetOFN().lpstrInitialDir = strInitialDir;

    if (dlg.DoModal() == IDOK) {
        m_strOutputPath = dlg.GetPathName();
        m_editOutput.SetWindowTextA(m_strOutputPath);
    }
}
