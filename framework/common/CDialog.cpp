#include "CDialog.h"

#include "AfxPlatform.h"
#include "CWinApp.h"
#include "DialogSetup.h"
#include "resources/ResourceSource.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

std::optional<std::span<const std::uint8_t>> AfxDialogTemplateData(const CDialog& dialog)
{
    if (dialog.m_lpDialogTemplate)
        return std::span(static_cast<const std::uint8_t*>(dialog.m_lpDialogTemplate), dialog.m_nDialogTemplateSize);
    return AfxProgramResources().FindData(kRtDialog, static_cast<std::uint16_t>(dialog.m_nIDHelp));
}

std::optional<DialogTemplate> AfxLoadDialogTemplate(const CDialog& dialog)
{
    const auto data = AfxDialogTemplateData(dialog);
    return data ? ParseDialogTemplate(*data) : std::nullopt;
}

CWnd* AfxDialogOwner(const CDialog& dialog)
{
    if (dialog.m_pParentWnd)
        return dialog.m_pParentWnd;
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd != &dialog ? app->m_pMainWnd : nullptr;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog() : m_nIDHelp(0), m_pParentWnd(nullptr)
{
}

CDialog::~CDialog() = default;

BOOL CDialog::InitModalIndirect(const void* lpDialogTemplate, std::size_t size, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_nDialogTemplateSize = size;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::CheckAutoCenter()
{
    const std::optional<DialogTemplate> dialogTemplate = AfxLoadDialogTemplate(*this);
    if (!dialogTemplate)
        return FALSE;
    const bool placedByStyle = dialogTemplate->style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN);
    return !placedByStyle && dialogTemplate->x == 0 && dialogTemplate->y == 0;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    // What the dialog does not handle goes to the application object.
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode);
}
