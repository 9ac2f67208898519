; The per-user installer of the clock and screensaver: no administrator rights, everything under
; HKCU and the user's own folders. The build passes the names, the version and the files:
;   PROGRAM_NAME, APPLICATION_NAME   the program's and its maker's names
;   VERSION_TEXT, VERSION_QUAD       the version as the program shows it, and as a.b.c.d
;   EXE_FILE, SCR_FILE, ICON_FILE    the stripped programs and the icon (paths on the build host)
;   OUT_FILE                         the installer to write
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PROGRAM_NAME}"
!define SETTINGS_KEY "Software\${APPLICATION_NAME}\${PROGRAM_NAME}"
!define DESKTOP_KEY "Control Panel\Desktop"
!define EXE_NAME "tavrino.exe"
!define SCR_NAME "tavrino.scr"
!define UNINSTALLER_NAME "uninstall.exe"
; The class of the clock's window: while one runs, its files cannot be replaced or removed.
!define CLOCK_CLASS "TavrinoClock"
!define STILL_RUNNING_TEXT "${PROGRAM_NAME} läuft noch. Bitte beenden Sie ${PROGRAM_NAME} und \
wählen Sie dann $\"Wiederholen$\"."
!define REMOVE_SETTINGS_TEXT "Sollen auch die Einstellungen von ${PROGRAM_NAME} entfernt werden?"

Name "${PROGRAM_NAME}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\${PROGRAM_NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APPLICATION_NAME} ${PROGRAM_NAME} ${VERSION_TEXT}"

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1031 "ProductName" "${PROGRAM_NAME}"
VIAddVersionKey /LANG=1031 "CompanyName" "${APPLICATION_NAME}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "© ${APPLICATION_NAME}"
VIAddVersionKey /LANG=1031 "FileDescription" "${PROGRAM_NAME} ${VERSION_TEXT} Setup"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION_TEXT}"

!macro WaitForClockToEnd
    FindWindow $0 "${CLOCK_CLASS}"
    ${DoWhile} $0 <> 0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${STILL_RUNNING_TEXT}" /SD IDCANCEL IDRETRY +2
        Quit
        FindWindow $0 "${CLOCK_CLASS}"
    ${Loop}
!macroend

Function .onInit
    !insertmacro WaitForClockToEnd
FunctionEnd

Function un.onInit
    !insertmacro WaitForClockToEnd
FunctionEnd

Section "${PROGRAM_NAME} (Uhr und Bildschirmschoner)" SectionProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "/oname=${EXE_NAME}" "${EXE_FILE}"
    File "/oname=${SCR_NAME}" "${SCR_FILE}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER_NAME}"
    CreateShortcut "$SMPROGRAMS\${PROGRAM_NAME}.lnk" "$INSTDIR\${EXE_NAME}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PROGRAM_NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_TEXT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${APPLICATION_NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE_NAME},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER_NAME}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER_NAME}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The screensaver chosen before is kept in the uninstall entry, to be put back on removal. An
; installation over one whose screensaver is still chosen keeps what was remembered then.
Section "Als Bildschirmschoner verwenden" SectionScreenSaver
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 != "$INSTDIR\${SCR_NAME}"
        WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver" "$0"
        WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$INSTDIR\${SCR_NAME}"
    ${EndIf}
SectionEnd

; Puts back the screensaver chosen before, but only while ours is the chosen one (by its long
; or its short path); with none remembered, no screensaver stays chosen. With none chosen now,
; nothing changes.
Function un.PutBackScreenSaver
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == ""
        Return
    ${EndIf}
    GetFullPathName /SHORT $1 "$INSTDIR\${SCR_NAME}"
    ${If} $0 == "$INSTDIR\${SCR_NAME}"
    ${OrIf} $0 == $1
        ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver"
        ${If} $2 == ""
            DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${Else}
            WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$2"
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.PutBackScreenSaver
    Delete "$SMPROGRAMS\${PROGRAM_NAME}.lnk"
    Delete "$INSTDIR\${EXE_NAME}"
    Delete "$INSTDIR\${SCR_NAME}"
    Delete "$INSTDIR\${UNINSTALLER_NAME}"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; The settings stay unless the user asks otherwise; a silent removal keeps them.
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "${REMOVE_SETTINGS_TEXT}" /SD IDNO IDNO keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${APPLICATION_NAME}"
    keep:
SectionEnd
