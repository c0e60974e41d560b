; Installer of Edgeroam 2: a per-user install without administrator rights.
; makensis -DVERSION=2.0.0.0 -DBIN_DIR=<programs> -DICON=<program icon> -DOUTFILE=<setup exe> Edgeroam2.nsi
; Silent: Edgeroam2Setup.exe /S [/D=<folder>]; Uninstall.exe /S.

; 64-bit stubs: the programs are 64-bit, and a 64-bit Wine runs no 32-bit code.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef VERSION | BIN_DIR | ICON | OUTFILE
  !error "define VERSION, BIN_DIR, ICON and OUTFILE"
!endif

!define PRODUCT "Edgeroam 2"
!define MAKER "Korvantis(TM)"
!define LAUNCHER "Edgeroam2StartUp.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Edgeroam2"
!define SETTINGS_KEY "Software\KorvantisTM\Edgeroam2"
!define MAKER_KEY "Software\KorvantisTM"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_ENTRY "Edgeroam2"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} : ${MAKER}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${MAKER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${LAUNCHER}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running pointer service and an open options window to close, and
; waits up to five seconds for each, so that their files can be replaced or
; removed. Both close without writing anything.
!macro CLOSE_WINDOW CLASS TITLE
  FindWindow $0 "${CLASS}" "${TITLE}"
  ${If} $0 <> 0
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    StrCpy $1 0
    ${Do}
      FindWindow $0 "${CLASS}" "${TITLE}"
      ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
      ${IfThen} $1 >= 50 ${|} ${ExitDo} ${|}
      Sleep 100
      IntOp $1 $1 + 1
    ${Loop}
  ${EndIf}
!macroend

!macro CLOSE_RUNNING_PROGRAMS
  !insertmacro CLOSE_WINDOW "Edgeroam.Form" "Edgeroam 2 : Options"
  !insertmacro CLOSE_WINDOW "Edgeroam.Application" "Edgeroam2"
!macroend

Section "Edgeroam 2" SecMain
  SectionIn RO
  !insertmacro CLOSE_RUNNING_PROGRAMS
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/${LAUNCHER}"
  File "${BIN_DIR}/edgeroam2.exe"
  File "${BIN_DIR}/options.exe"
  File "${BIN_DIR}/help.chm"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "${SHORTCUT}" "$INSTDIR\${LAUNCHER}" "" "$INSTDIR\${LAUNCHER}" 0 \
    SW_SHOWNORMAL "" "Wraps the mouse pointer around the screen and turns mouse shakes into shortcuts"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${LAUNCHER},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  !insertmacro CLOSE_RUNNING_PROGRAMS
  Delete "$INSTDIR\${LAUNCHER}"
  Delete "$INSTDIR\edgeroam2.exe"
  Delete "$INSTDIR\options.exe"
  Delete "$INSTDIR\help.chm"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_ENTRY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
