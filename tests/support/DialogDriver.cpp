#include "DialogDriver.h"

#include "CWinApp.h"

DialogRun RunDialog(CDialog& dialog, const std::function<void(DialogDriver&)>& user,
                    const std::function<void(DialogDriver&)>& nested)
{
    DialogRun run;
    AfxGetApp()->m_pMainWnd = &dialog;
    AfxTestHooks::SetMessageBoxHandler([&](const AfxMessageBoxInfo& info) {
        run.messages.push_back(info);
        return IDOK;
    });
    AfxTestHooks::SetDialogHandler([&](CDialog& shown) {
        DialogDriver driver(shown);
        if (&shown != &dialog) {
            if (nested)
                nested(driver);
            return;
        }
        user(driver);
    });
    run.result = dialog.DoModal();
    AfxTestHooks::Reset();
    AfxGetApp()->m_pMainWnd = nullptr;
    return run;
}
