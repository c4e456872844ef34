; The Windows installer: both programs, the help file and the icon under Program Files, a Start
; menu entry that starts the program in Documents\Quorvel, and an uninstaller that leaves the
; user's DATA.CSV and results alone. /S installs and uninstalls silently.
;
;   makensis -DVERSION=1.17 -DBUILD=<build folder> -DOUTFILE=<setup.exe> quorvel.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"

Name "Quorvel ${VERSION}"
OutFile "${OUTFILE}"

; Properties → 詳細 of the setup program.
!include /CHARSET=UTF8 "${VERSION_TEXTS}"
VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "${VERSION_PRODUCT}"
VIAddVersionKey /LANG=1041 "CompanyName" "${VERSION_COMPANY}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${VERSION_COPYRIGHT}"
VIAddVersionKey /LANG=1041 "FileDescription" "${VERSION_DESCRIPTION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
InstallDir "$PROGRAMFILES64\Quorvel"
InstallDirRegKey HKLM "Software\Quorvel" "InstallDir"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"

!define MUI_ICON "${BUILD}\quorvel.ico"
!define MUI_UNICON "${BUILD}\quorvel.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Quorvel"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${BUILD}\quorvel.exe"
    File "${BUILD}\quorvel-cli.exe"
    File "${BUILD}\Quorvel.HLP"
    File "${BUILD}\quorvel.ico"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The program keeps DATA.CSV and its results in the folder it starts in.
    SetShellVarContext current
    CreateDirectory "$DOCUMENTS\Quorvel"
    SetOutPath "$DOCUMENTS\Quorvel"
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\Quorvel"
    CreateShortcut "$SMPROGRAMS\Quorvel\Quorvel.lnk" "$INSTDIR\quorvel.exe" "" "$INSTDIR\quorvel.ico"
    SetOutPath "$INSTDIR"

    WriteRegStr HKLM "Software\Quorvel" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quorvel"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quorvel"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorvel.ico"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

; Only what the installer put there: Documents\Quorvel with DATA.CSV and the results stays.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Quorvel\Quorvel.lnk"
    RMDir "$SMPROGRAMS\Quorvel"
    Delete "$INSTDIR\quorvel.exe"
    Delete "$INSTDIR\quorvel-cli.exe"
    Delete "$INSTDIR\Quorvel.HLP"
    Delete "$INSTDIR\quorvel.ico"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\Quorvel"
SectionEnd
