; SPDX-License-Identifier: MIT
; The Windows installer of DelvoCalculator. Built by the "installer" target of the Windows build, which defines
; VERSION, BUILD, OUTFILE, PROGRAM, WINDOW_MODULE (when the window is built), MANUAL (when built), ICON,
; LICENSE (the program's licence, shown before anything is installed) and COPYRIGHT (the licences of the
; program and of every library linked into it).
; Layout: <Program Files>\DelvoCalculator\bin\tallyx.exe beside its window module, and \doc\tallyx.pdf,
; where the program looks for its manual, beside \doc\copyright.txt. The user's settings live in the user's
; own data folder and stay when the program is removed.
; A 64-bit installer for a 64-bit program: it runs on every system the program runs on.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"

!define PRODUCT "DelvoCalculator"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION} Build ${BUILD}"

VIProductVersion "${VERSION}.${BUILD}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "Quarn"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2021 Quarn. All rights reserved."
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.${BUILD}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION} Build ${BUILD}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\tallyx.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs a 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "${PRODUCT}"
  SetOutPath "$INSTDIR\bin"
  File "${PROGRAM}"
!ifdef WINDOW_MODULE
  File "${WINDOW_MODULE}"
!endif
  SetOutPath "$INSTDIR\doc"
  File "/oname=copyright.txt" "${COPYRIGHT}"
!ifdef MANUAL
  File "${MANUAL}"
!endif
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; For every user of the computer, like the program folder itself.
  SetShellVarContext all
  SetOutPath "$INSTDIR\bin"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\bin\tallyx.exe" "" "$INSTDIR\bin\tallyx.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}.${BUILD}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quarn"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\tallyx.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what the installer put there; a folder the user added (a "config" folder of settings beside
; the program) keeps the installation folder, and the user's data folder is never touched.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\bin\tallyx.exe"
  Delete "$INSTDIR\bin\tallyx_window.dll"
  Delete "$INSTDIR\doc\tallyx.pdf"
  Delete "$INSTDIR\doc\copyright.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\bin"
  RMDir "$INSTDIR\doc"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
