; The Windows installer: both programs, the help file and the icon, for this user only (the
; default: %LOCALAPPDATA%\Programs\Quorvel, HKCU, no administrator) or for every user of the PC
; (Program Files, HKLM, elevated); a Start menu entry; an uninstaller that leaves each user's
; Documents\Quorvel (DATA.CSV, QUORVEL.DB, the results) alone. The program makes that folder for
; whoever starts it. /S installs and uninstalls silently; /AllUsers or /CurrentUser chooses.
;
;   makensis -DVERSION=1.17 -DBUILD=<build folder> -DOUTFILE=<setup.exe> -DVERSION_TEXTS=<nsh> quorvel.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

; Highest makes MultiUser offer both installs; the setup itself starts as the user who runs it
; (RequestExecutionLevel user below), so that the default, for this user only, asks for no
; administrator. Only the install for every user asks Windows for one, by starting the setup
; again with the runas verb.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_PAGE_CUSTOMFUNCTION_LEAVE elevateForAllUsers
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Quorvel"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "Software\Quorvel"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "Software\Quorvel"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!include "MultiUser.nsh"
RequestExecutionLevel user
!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

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
; No installer branding line under the pages.
BrandingText " "
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"

!define MUI_ICON "${BUILD}\quorvel.ico"
!define MUI_UNICON "${BUILD}\quorvel.ico"
!define MUI_ABORTWARNING

!define MUI_FINISHPAGE_RUN "$INSTDIR\quorvel.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Quorvel"
    SetOutPath "$INSTDIR"
    File "${BUILD}\quorvel.exe"
    File "${BUILD}\quorvel-cli.exe"
    File "${BUILD}\Quorvel.HLP"
    File "${BUILD}\quorvel.ico"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; One shortcut needs no folder of its own, nor a working folder fixed now: CreateShortcut
    ; takes $OUTDIR for it, so that is empty. Started from it, the program works in the
    ; Documents\Quorvel of whoever starts it.
    StrCpy $OUTDIR ""
    CreateShortcut "$SMPROGRAMS\Quorvel.lnk" "$INSTDIR\quorvel.exe" "" "$INSTDIR\quorvel.exe" 0
    SetOutPath "$INSTDIR"

    ; SHCTX: HKCU for this user, HKLM for every user, as the install mode set.
    WriteRegStr SHCTX "Software\Quorvel" "InstallDir" "$INSTDIR"
    WriteRegStr SHCTX "Software\Quorvel" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Quorvel"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Quorvel"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorvel.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Var Account

; The account the setup runs as now, as UserInfo names it: Admin only when elevated.
!macro ACCOUNT_NOW
    UserInfo::GetAccountType
    Pop $Account
!macroend

; Starts this program again elevated with `options`; the error flag when Windows would not.
!macro START_ELEVATED options
    ClearErrors
    ExecShell "runas" "$EXEPATH" "${options}"
!macroend

; /AllUsers without an administrator's rights yet: the elevated program goes on, this one ends.
!macro ELEVATE_FOR_ALL_USERS_OPTION
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/AllUsers" $R1
    ${IfNot} ${Errors}
        !insertmacro ACCOUNT_NOW
        ${If} $Account != "Admin"
            !insertmacro START_ELEVATED "$R0"
            Quit
        ${EndIf}
    ${EndIf}
!macroend

Function .onInit
    SetRegView 64
    !insertmacro ELEVATE_FOR_ALL_USERS_OPTION
    !insertmacro MULTIUSER_INIT
    ; Not elevated now, but both installs stay on offer: every user is one elevation away.
    ${If} $MultiUser.Privileges != "Admin"
        StrCpy $MultiUser.Privileges "Power"
    ${EndIf}
FunctionEnd

; Every user chosen on the page without an administrator's rights yet: the elevated setup goes
; on from the start; refused, the page stays.
Function elevateForAllUsers
    ${If} $MultiUser.InstallMode == "AllUsers"
        !insertmacro ACCOUNT_NOW
        ${If} $Account != "Admin"
            !insertmacro START_ELEVATED "/AllUsers"
            ${If} ${Errors}
                Abort
            ${EndIf}
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro ELEVATE_FOR_ALL_USERS_OPTION
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

; Only what the installer put there: each user's Documents\Quorvel with DATA.CSV, QUORVEL.DB and
; the results stays.
Section "Uninstall"
    Delete "$SMPROGRAMS\Quorvel.lnk"
    Delete "$INSTDIR\quorvel.exe"
    Delete "$INSTDIR\quorvel-cli.exe"
    Delete "$INSTDIR\Quorvel.HLP"
    Delete "$INSTDIR\quorvel.ico"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    DeleteRegKey SHCTX "Software\Quorvel"
SectionEnd
