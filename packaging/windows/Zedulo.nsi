; Zedulo's installer for Windows: per user, without administrator rights,
; in German. Made by packaging/Windows.cmake (the target "installer"), which
; defines:
;   VERSION     four numbers, as in res/Version.h
;   PUBLISHER   who makes the program
;   COPYRIGHT   the copyright line of LICENSE
;   FILES       the folder holding the installed files (those of the ZIP)
;   SOURCE      the source tree (icon, LICENSE)
;   OUTFILE     the installer to write
;   AMD64       for the 64-bit programs (so no 32-bit code runs to install them)
Unicode true
!ifdef AMD64
    Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedulo"

Name "Zedulo" "Zedulo"
OutFile "${OUTFILE}"
; An earlier installation is replaced where it is.
InstallDir "$LOCALAPPDATA\Programs\Zedulo"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductName" "Zedulo"
VIAddVersionKey /LANG=1031 "FileDescription" "Zedulo ${VERSION} installieren"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "${COPYRIGHT}"

!include MUI2.nsh
!define MUI_ICON "${SOURCE}\res\Zedulo.ico"
!define MUI_UNICON "${SOURCE}\res\Zedulo.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\zedulo.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Function .onInit
    SetShellVarContext current
FunctionEnd

Function un.onInit
    SetShellVarContext current
FunctionEnd

Section "Zedulo" SectionProgram
    SetOutPath "$INSTDIR"
    File "${FILES}\zedulo.exe"
    File "${FILES}\zedulo-convert.exe"
    File "${FILES}\Zedulo.html"
    File "${FILES}\LIESMICH.txt"
    WriteUninstaller "$INSTDIR\Deinstallieren.exe"

    ; One entry, replaced by a new installation; removal is under Apps.
    CreateShortcut "$SMPROGRAMS\Zedulo.lnk" "$INSTDIR\zedulo.exe" "" "$INSTDIR\zedulo.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zedulo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zedulo.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
    SectionGetSize ${SectionProgram} $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what the installation put there: a file of the user's
; keeps the folder.
Section "Uninstall"
    Delete "$INSTDIR\zedulo.exe"
    Delete "$INSTDIR\zedulo-convert.exe"
    Delete "$INSTDIR\Zedulo.html"
    Delete "$INSTDIR\LIESMICH.txt"
    Delete "$INSTDIR\Deinstallieren.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Zedulo.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
