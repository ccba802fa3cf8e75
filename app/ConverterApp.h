// The application object: runs the main dialog as the program's one window
// and answers Hilfe.
#pragma once

#include "afxwin.h"

class CConverterApp : public CWinApp {
public:
    CConverterApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CConverterApp theApp;
