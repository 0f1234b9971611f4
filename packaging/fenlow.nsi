; Fenlow's installer: a per-user NSIS setup, built by scripts/package.sh.
;
; Why NSIS and not an MSI made with wixl: NSIS gives one self-contained
; setup.exe that installs for the current user only (no administrator
; rights, no elevation prompt: RequestExecutionLevel user), writes exactly
; the installed-programs entry we want under HKEY_CURRENT_USER with the
; version and publisher, and runs silently with /S for both install and
; uninstall. Debian's nsis package ships the 64-bit (amd64-unicode) stubs,
; so the setup is a 64-bit program like Fenlow itself and runs on the 64-bit
; Wine the tests use. With an MSI, a per-user install's entry in the
; programs list is made by Windows Installer itself (and Wine's puts it under
; HKEY_LOCAL_MACHINE), and wixl implements only part of the WiX language.
;
; makensis -DVERSION=x.y.z -DFILES_DIR=<folder with the files to install>
;          -DSOURCE_DIR=<repository> -DOUT_FILE=<setup.exe> packaging/fenlow.nsi
; FILES_DIR holds what the portable zip holds: fenlow.exe, fenlow-cli.exe,
; HAND-M.CUR, README.txt and LICENSE.

!ifndef VERSION | FILES_DIR | SOURCE_DIR | OUT_FILE
  !error "VERSION, FILES_DIR, SOURCE_DIR and OUT_FILE must be defined (scripts/package.sh does)"
!endif

!define PRODUCT "Fenlow"
!define PUBLISHER "Kestrane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Fenlow"
; Options' "Start with Windows": the user's own Run value, named as the product.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The class of Fenlow's windows; its main window's caption is the product name.
!define WINDOW_CLASS "FenlowForm"

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 the Fenlow developers (MIT License)"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define MUI_ICON "${SOURCE_DIR}/app/fenlow.ico"
!define MUI_UNICON "${SOURCE_DIR}/app/fenlow.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\fenlow.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_LICENSE "${FILES_DIR}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Fenlow keeps its files in use: it is asked to close, as its close
; box would (silent runs do so without asking); if it does not, the setup
; stops with exit code 2 and changes nothing.
!macro CLOSE_RUNNING_FENLOW un
Function ${un}CloseRunningFenlow
  FindWindow $0 "${WINDOW_CLASS}" "${PRODUCT}"
  ${If} $0 == 0
    Return
  ${EndIf}
  MessageBox MB_OKCANCEL|MB_ICONINFORMATION \
    "${PRODUCT} is running. Press OK to close it and continue." /SD IDOK IDOK close
  SetErrorLevel 2
  Quit
close:
  ; Posted, as the close box's own message is: Fenlow's message loop waits
  ; for a posted message and would not notice a sent one ending it.
  System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
  ${For} $1 1 100  ; up to 10 seconds
    Sleep 100
    FindWindow $0 "${WINDOW_CLASS}" "${PRODUCT}"
    ${IfThen} $0 == 0 ${|} ${Break} ${|}
  ${Next}
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} did not close. Close it and try again." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  Sleep 500  ; the process ends after its window
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_FENLOW ""
!insertmacro CLOSE_RUNNING_FENLOW "un."

Section "Fenlow" SecMain
  SectionIn RO
  Call CloseRunningFenlow
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${FILES_DIR}/fenlow.exe"
  File "${FILES_DIR}/fenlow-cli.exe"
  File "${FILES_DIR}/HAND-M.CUR"
  File "${FILES_DIR}/README.txt"
  File "${FILES_DIR}/LICENSE"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Started from its own folder, where it finds HAND-M.CUR.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\fenlow.exe" "" "$INSTDIR\fenlow.exe" 0 \
    SW_SHOWNORMAL "" "Show and edit the clipboard's text"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\fenlow.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the setup put there, by name, and the folder only when it is
; then empty, and the sign-in entry that Options may have added, which would
; start a program that is gone. The settings under
; HKEY_CURRENT_USER\Software\Kestrane stay, as they would for a reinstall.
Section "Uninstall"
  Call un.CloseRunningFenlow
  SetShellVarContext current
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\fenlow.exe"
  Delete "$INSTDIR\fenlow-cli.exe"
  Delete "$INSTDIR\HAND-M.CUR"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
SectionEnd
