// The program's own resource and command identifiers, each defined once.
// Read by the code and by the resource script.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_CONVERTER_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_EDIT_INPUT 1000
#define IDC_EDIT_OUTPUT 1001
#define IDC_BROWSE_INPUT 1002
#define IDC_BROWSE_OUTPUT 1003

#define IDM_ABOUTBOX 0x0010
