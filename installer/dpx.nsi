; DPX's installer: per user, without administrator rights, into the user's local programs folder.
; Built by scripts/dist: makensis -DVERSION=5.8 -DFILES=<folder with the four files>
;   -DOUTFILE=<installer path> dpx.nsi
; Silent install and uninstall with /S; the uninstaller's /REMOVEDATA removes the user's settings
; and stored password too. Installing over an installed DPX is an upgrade: a running DPX is asked
; to end, every file is replaced (or the install fails and the old files stay), and a DPX that was
; running is started again.
Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "MUI2.nsh"
!include "WinMessages.nsh"

!define PRODUCT "DPX"
!define COMPANY "Orvalen"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\DPX"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_ONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define WEB_SITE "https://www.orvalen.example/dpx/"
!define HELP_LINK "https://www.orvalen.example/dpx/help/"
; The stored password: one value, which nothing else of DPX's shares its key with.
!define PASSWORD_KEY "Software\Windows\Cryptography"
!define PASSWORD_VALUE "10"
; A file set aside because a program still has it loaded: removed once nothing holds it.
!define ASIDE_SUFFIX ".dpx-old"
; The class of DPX's application window; a close sent to it runs the main window's close, which
; saves the settings, and the program's end puts a hidden desktop back.
!define APP_WINDOW_CLASS "DpxApplication"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
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

; Set when the install found DPX running and ended it: it is started again at the end.
Var WasRunning

!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartDpxUnlessRunning
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running DPX to end and waits up to ten seconds for it. Shared by the installer (files in
; use cannot be replaced) and the uninstaller.
!macro EndRunningDpx un
Function ${un}EndRunningDpx
  StrCpy $WasRunning 0
  FindWindow $0 "${APP_WINDOW_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  StrCpy $WasRunning 1
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

; The files an install puts into the program folder, as one list for each step below.
!macro ForEachProgramFile MACRO
  !insertmacro ${MACRO} "dpx.exe"
  !insertmacro ${MACRO} "dpxtray.dll"
  !insertmacro ${MACRO} "dozov.dll"
  !insertmacro ${MACRO} "Help.chm"
  !insertmacro ${MACRO} "uninstall.exe"
!macroend

; Moves an installed file out of the way, so the new one can take its name: a DLL that another
; program still has loaded cannot be written over or deleted, but it can be renamed. $R9 counts
; the files that could not be moved.
!macro SetAside NAME
  ${If} ${FileExists} "$INSTDIR\${NAME}"
    Delete "$INSTDIR\${NAME}${ASIDE_SUFFIX}"
    ClearErrors
    Rename "$INSTDIR\${NAME}" "$INSTDIR\${NAME}${ASIDE_SUFFIX}"
    ${If} ${Errors}
      DetailPrint "$INSTDIR\${NAME} is in use and cannot be replaced"
      IntOp $R9 $R9 + 1
    ${EndIf}
  ${EndIf}
!macroend
; Puts a set-aside file back, when the install cannot go on.
!macro PutBack NAME
  ${If} ${FileExists} "$INSTDIR\${NAME}${ASIDE_SUFFIX}"
    Delete "$INSTDIR\${NAME}"
    Rename "$INSTDIR\${NAME}${ASIDE_SUFFIX}" "$INSTDIR\${NAME}"
  ${EndIf}
!macroend
; Removes a set-aside file; one still loaded somewhere goes at the next logon.
!macro RemoveAside NAME
  ${If} ${FileExists} "$INSTDIR\${NAME}${ASIDE_SUFFIX}"
    Delete "$INSTDIR\${NAME}${ASIDE_SUFFIX}"
    ${If} ${FileExists} "$INSTDIR\${NAME}${ASIDE_SUFFIX}"
      WriteRegStr HKCU "${RUN_ONCE_KEY}" "${PRODUCT} cleanup ${NAME}" \
        '"$SYSDIR\cmd.exe" /c del /f /q "$INSTDIR\${NAME}${ASIDE_SUFFIX}"'
    ${EndIf}
  ${EndIf}
!macroend

; A mixed install (a new dpx.exe beside an old library) is worse than none: the old files go back,
; the user is told, and the installer ends with an error.
!macro FailInstall WHY
  !insertmacro ForEachProgramFile PutBack
  MessageBox MB_OK|MB_ICONSTOP "${WHY}" /SD IDOK
  SetErrorLevel 2
  ${If} $WasRunning == 1
    Call StartDpxQuietly
  ${EndIf}
  Quit
!macroend

Section "DPX"
  Call EndRunningDpx
  SetShellVarContext current
  CreateDirectory "$INSTDIR"
  StrCpy $R9 0
  !insertmacro ForEachProgramFile SetAside
  ${If} $R9 != 0
    !insertmacro FailInstall "${PRODUCT} could not be installed: a file in $INSTDIR is in use by \
      another program. Close it and run the installer again."
  ${EndIf}

  SetOutPath "$INSTDIR"
  SetOverwrite try
  ClearErrors
  File "${FILES}\dpx.exe"
  File "${FILES}\dpxtray.dll"
  File "${FILES}\dozov.dll"
  File "${FILES}\Help.chm"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    !insertmacro FailInstall "${PRODUCT} could not be installed: the files could not be written \
      to $INSTDIR."
  ${EndIf}
  !insertmacro ForEachProgramFile RemoveAside

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\dpx.exe" "" "$INSTDIR\dpx.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${WEB_SITE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "HelpLink" "${HELP_LINK}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dpx.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; DPX protects the desktop from logon on: one that was running is not left ended by an upgrade.
  ${If} $WasRunning == 1
    Call StartDpxQuietly
  ${EndIf}
SectionEnd

Function StartDpxQuietly
  Exec '"$INSTDIR\dpx.exe" /q'
FunctionEnd

; The finish page's "Start DPX now": an upgrade has started it again already.
Function StartDpxUnlessRunning
  FindWindow $0 "${APP_WINDOW_CLASS}"
  ${If} $0 == 0
    Exec '"$INSTDIR\dpx.exe"'
  ${EndIf}
FunctionEnd

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
    Delete "$INSTDIR\*${ASIDE_SUFFIX}"
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
  DeleteRegValue HKCU "${PASSWORD_KEY}" "${PASSWORD_VALUE}"
  DeleteRegKey /ifempty HKCU "${PASSWORD_KEY}"
FunctionEnd
