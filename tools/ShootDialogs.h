// The script of the README's pictures, the same on both platforms: the main
// dialog opened as the program opens it, with an input typed in, then the
// About box over it.
#pragma once

#include <functional>

#include "ConverterDlg.h"
#include "TestHooks.h"

// shoot gets each dialog once it is on screen, with the name of its picture
// ("main-dialog", "about-box"), and says whether it saved it.
inline bool ShootDialogs(const char* input, const std::function<bool(CDialog&, const char* picture)>& shoot)
{
    bool saved = true;
    CConverterDlg dialog;
    AfxTestHooks::SetDialogHandler([&](CDialog& shown) {
        if (&shown != &dialog) {
            saved = shoot(shown, "about-box") && saved;
            shown.EndDialog(IDOK);
            return;
        }
        shown.GetDlgItem(IDC_EDIT_INPUT)->SetWindowTextA(input);
        saved = shoot(shown, "main-dialog") && saved;
        shown.SendMessageA(WM_SYSCOMMAND, IDM_ABOUTBOX);
        shown.EndDialog(IDCANCEL);
    });
    AfxGetApp()->m_pMainWnd = &dialog;
    dialog.DoModal();
    AfxTestHooks::Reset();
    return saved;
}
