// The application framework, as the program's dialogs and application
// object use it.
#pragma once

#include "AfxGlobals.h"
#include "CString.h"
#include "CDC.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CFileDialog.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "WinTypes.h"
#include "afxres.h"
