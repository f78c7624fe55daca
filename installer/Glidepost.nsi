; The Windows installer of Glidepost, made on Linux with makensis by scripts/package.
; Defines given by the script: VERSION, STAGE (the installation tree), FILES (the generated file
; list), OUTFILE.
Target amd64-unicode  ; a 64-bit installer for a 64-bit program (and for 64-bit-only Wine)
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
!ifdef SIGNER
  ; The uninstaller is signed as it is written into the installer (the installer itself is
  ; signed by scripts/package once makensis is done).
  !uninstfinalize '"${SIGNER}" "%1"' = 0
!endif

!include "MUI2.nsh"
!include "x64.nsh"

Name "Glidepost"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quenlo\Glidepost"
InstallDirRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glidepost" "InstallLocation"
BrandingText "Glidepost ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glidepost"
!define MUI_ICON "${STAGE}\..\Glidepost.ico"
!define MUI_UNICON "${STAGE}\..\Glidepost.ico"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
; The finish page tells when the filter driver package is missing: without it Glidepost only
; measures, it cannot apply a rate.
Var FinishText
!define MUI_PAGE_CUSTOMFUNCTION_PRE FinishPre
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Bin\Glidepost.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP|MB_OK "Glidepost needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function FinishPre
  StrCpy $FinishText "Glidepost is installed."
  ReadRegStr $0 HKLM "SYSTEM\CurrentControlSet\Services\KytHidFilter" "ImagePath"
  StrCmp $0 "" missing
  IfFileExists "$WINDIR\System32\drivers\KytHidFilter.sys" done missing
  missing:
    StrCpy $FinishText "Glidepost is installed.$\r$\n$\r$\nThe KytHidFilter filter driver package is not installed: polling rates can only be applied once it is. Please install the filter driver package, then start Glidepost."
  done:
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Glidepost" SecMain
  SectionIn RO
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Glidepost"
  CreateShortcut "$SMPROGRAMS\Glidepost\Glidepost.lnk" "$INSTDIR\Bin\Glidepost.exe"
  CreateShortcut "$SMPROGRAMS\Glidepost\Uninstall Glidepost.lnk" "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Glidepost"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quenlo"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Bin\Glidepost.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Desktop shortcut" SecDesktop
  CreateShortcut "$DESKTOP\Glidepost.lnk" "$INSTDIR\Bin\Glidepost.exe"
SectionEnd

Var KeepSettings

Section "Uninstall"
  ; The program's own road first: it takes the filter off every USB device and closes a running
  ; instance.
  ExecWait '"$INSTDIR\Bin\Glidepost.exe" /UNINSTALL'
  StrCpy $KeepSettings 0
  MessageBox MB_YESNO|MB_ICONQUESTION "Keep the settings Glidepost stored for this board (the mouse and its polling rate)?" /SD IDNO IDNO +2
    StrCpy $KeepSettings 1
  !define UNINSTALLING
  !include "${FILES}"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\Glidepost\Glidepost.lnk"
  Delete "$SMPROGRAMS\Glidepost\Uninstall Glidepost.lnk"
  RMDir "$SMPROGRAMS\Glidepost"
  Delete "$DESKTOP\Glidepost.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."
SectionEnd
