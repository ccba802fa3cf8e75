// Identifiers and style bits of the Windows platform and its application
// framework, with their Windows values. Only #defines: the resource script
// includes this file as well as the code, so both agree on every value.
// Code compiled for Windows takes the platform's own definitions; the
// framework's own identifiers follow at the end.
#pragma once

#if defined(_WIN32) && !defined(RC_INVOKED)

#include <windows.h>
#include <commdlg.h>

#else

// Dialog results and standard commands
#define IDOK 1
#define IDCANCEL 2

// Window styles
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L

// Extended window styles
#define WS_EX_APPWINDOW 0x00040000L

// Dialog styles
#define DS_ABSALIGN 0x01L
#define DS_FIXEDSYS 0x08L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_CENTER 0x800L
#define DS_CENTERMOUSE 0x1000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// Static, button and edit control styles
#define SS_LEFT 0x00000000L
#define SS_CENTER 0x00000001L
#define SS_RIGHT 0x00000002L
#define SS_ICON 0x00000003L
#define SS_TYPEMASK 0x0000001FL
#define SS_NOPREFIX 0x00000080L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_TYPEMASK 0x0000000FL
#define ES_AUTOHSCROLL 0x0080L

// Version block values
#define VS_VERSION_INFO 1
#define VS_FFI_FILEFLAGSMASK 0x0000003FL
#define VOS__WINDOWS32 0x00000004L
#define VFT_APP 0x00000001L
#define VFT2_UNKNOWN 0x00000000L

// Languages
#define LANG_GERMAN 0x07
#define SUBLANG_GERMAN 0x01

#ifndef RC_INVOKED

// Messages and notifications
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_ICONERASEBKGND 0x0027
#define WM_QUERYDRAGICON 0x0037
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_ENTERSIZEMOVE 0x0231
#define WM_EXITSIZEMOVE 0x0232
#define BN_CLICKED 0
#define ICON_SMALL 0
#define ICON_BIG 1

// System commands
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_CLOSE 0xF060
#define SC_RESTORE 0xF120

// Message boxes
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ICONERROR 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONWARNING 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define MB_ICONMASK 0x000000F0L

// File choosers
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000

// System metrics
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXSMICON 49
#define SM_CYSMICON 50

// Menus
#define MF_STRING 0x00000000L
#define MF_SEPARATOR 0x00000800L
#define MF_BYPOSITION 0x00000400L

#endif  // RC_INVOKED

#endif  // Windows code

// The framework's own identifiers
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define ID_HELP 0xE146
