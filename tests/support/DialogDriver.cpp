#include "DialogDriver.h"

#include <cstdlib>

#include "CWinApp.h"

bool IsCentredOver(const PixelRect& inner, const PixelRect& outer)
{
    return std::abs(2 * inner.left + inner.width - (2 * outer.left + outer.width)) <= 1 &&
           std::abs(2 * inner.top + inner.height - (2 * outer.top + outer.height)) <= 1;
}

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
