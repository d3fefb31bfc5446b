; DPX's installer: per user, without administrator rights, into the user's local programs folder.
; Built by scripts/dist: makensis -DVERSION=5.8 -DFILES=<folder with the four files>
;   -DOUTFILE=<installer path> dpx.nsi
; Silent install and uninstall with /S; the uninstaller's /REMOVEDATA removes the user's settings too.
Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "DPX"
!define COMPANY "Orvalen"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\DPX"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The class of DPX's application window; a close sent to it runs the main window's close, which
; saves the settings, and the program's end puts a hidden desktop back.
!define APP_WINDOW_CLASS "DpxApplication"
!define WM_CLOSE 0x0010

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "${COMPANY} ${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${COMPANY}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Asks a running DPX to end and waits up to ten seconds for it. Shared by the installer (files in
; use cannot be replaced) and the uninstaller.
!macro EndRunningDpx un
Function ${un}EndRunningDpx
  FindWindow $0 "${APP_WINDOW_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  DetailPrint "Asking ${PRODUCT} to end"
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  StrCpy $1 0
  ${Do}
    Sleep 200
    FindWindow $0 "${APP_WINDOW_CLASS}"
    ${If} $0 == 0
      Return
    ${EndIf}
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= 50
  DetailPrint "${PRODUCT} did not end"
FunctionEnd
!macroend
!insertmacro EndRunningDpx ""
!insertmacro EndRunningDpx "un."

Section "DPX"
  Call EndRunningDpx
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${FILES}\dpx.exe"
  File "${FILES}\dpxtray.dll"
  File "${FILES}\dozov.dll"
  File "${FILES}\Help.chm"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\dpx.exe" "" "$INSTDIR\dpx.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dpx.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Call un.EndRunningDpx
  SetShellVarContext current
  ; Out of the folder first: a process's current folder cannot be removed.
  SetOutPath "$TEMP"
  ; The hook library may stay loaded in other programs after DPX ended, and a loaded library
  ; cannot be deleted, but it can be moved: it goes to the temporary folder instead.
  Delete "$INSTDIR\dozov.dll"
  ${If} ${FileExists} "$INSTDIR\dozov.dll"
    GetTempFileName $2
    Delete "$2"
    Rename "$INSTDIR\dozov.dll" "$2"
    Delete /REBOOTOK "$2"
  ${EndIf}
  ; Other files are tried again for a few seconds while DPX's process ends.
  StrCpy $1 0
  ${Do}
    Delete "$INSTDIR\dpx.exe"
    Delete "$INSTDIR\dpxtray.dll"
    Delete "$INSTDIR\Help.chm"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
      ${Break}
    ${EndIf}
    Sleep 250
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= 40
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The settings and lists stay unless the user asks for them to go.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${IfNot} ${Errors}
    Call un.RemoveData
  ${ElseIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove your ${PRODUCT} settings and lists ($APPDATA\${COMPANY}\${PRODUCT})?" IDNO keep
    Call un.RemoveData
    keep:
  ${EndIf}
SectionEnd

Function un.RemoveData
  SetShellVarContext current
  RMDir /r "$APPDATA\${COMPANY}\${PRODUCT}"
  RMDir "$APPDATA\${COMPANY}"
FunctionEnd
