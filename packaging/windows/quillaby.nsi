; The Windows installer, quillaby-setup.exe: the saver file goes into the system folder (where the
; system's list of screen savers looks), its executable twin and the help page into a program folder
; whose path the program reads back from the machine key's "Path". Built by CMake with
;   makensis -DVERSION=1.9 -DBUILD_DIR=<folder of quillaby.scr, quillaby.exe, quillaby.html> \
;            -DICON=<quillaby.ico> -DOUT_FILE=<quillaby-setup.exe> quillaby.nsi
; Command line: /S installs or uninstalls without a window; /D=<folder> picks the program folder;
; /CURRENT (with or without /S) also makes Quillaby the current screen saver, which a silent install
; otherwise leaves alone.
;
; The current screen saver is a setting of the user who sits at the desktop. The installer runs
; elevated, and when a standard user elevates with an administrator's password its HKCU is the
; administrator's: so the choice goes to the hive of the session's logged-on user (HKU\<SID>), and
; the running session is told (SPI_SETSCREENSAVEACTIVE and its WM_SETTINGCHANGE). The uninstaller
; looks at the same user's choice.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
SetCompressorDictSize 32 ; the saver file and its twin are the same bytes: one dictionary holds both

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define COMPANY "Harnwick Software"
!define PRODUCT "Quillaby"
!define OPTIONS_KEY "Software\${COMPANY}\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT} Screen Saver ${VERSION}"
OutFile "${OUT_FILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
InstallDir "$PROGRAMFILES64\${COMPANY}\${PRODUCT}"
InstallDirRegKey HKLM "${OPTIONS_KEY}" "Path"
RequestExecutionLevel admin ; the system folder and the machine key
ShowInstDetails nevershow
ShowUninstDetails nevershow

; The version as the saver file carries it: VIProductVersion takes four numbers.
VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileDescription" "${PRODUCT} Screen Saver Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"
VIAddVersionKey "OriginalFilename" "quillaby-setup.exe"

!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running saver or twin holds its file: ask it to close as a key would (taskkill without /F sends
; WM_CLOSE, and the program puts the display mode back), then remove both files, trying for up to
; 5 seconds. The error flag stays set when one could not be removed.
!macro REMOVE_PROGRAM_FILES
  nsExec::Exec '"$SYSDIR\taskkill.exe" /IM quillaby.scr /IM quillaby.exe'
  Pop $0
  StrCpy $1 0
  ${Do}
    ClearErrors
    Delete "$SYSDIR\quillaby.scr"
    Delete "$INSTDIR\quillaby.exe"
    ${IfNot} ${Errors}
    ${OrIf} $1 >= 50
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
    Sleep 100
  ${Loop}
!macroend

Section "-Quillaby" SecFiles
  SetRegView 64
  !insertmacro REMOVE_PROGRAM_FILES ; an update replaces a running copy
  SetOutPath "$SYSDIR"
  File "${BUILD_DIR}\quillaby.scr"
  SetOutPath "$INSTDIR"
  File "${BUILD_DIR}\quillaby.exe"
  File "${BUILD_DIR}\quillaby.html"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The program prefixes file names with "Path" as it is, so it ends in "\".
  WriteRegStr HKLM "${OPTIONS_KEY}" "Path" "$INSTDIR\"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} Screen Saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillaby.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${GetSize} "$SYSDIR" "/M=quillaby.scr /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Sets $R0 to the string SID of the user logged on to this session (the one at the desktop), who
; started the installer even when an administrator's password elevated it; empty when it cannot be
; read, and the installer's own account (HKCU) stands for the user. The session's user name, not a
; process token: an elevated administrator may not open another user's processes.
!macro DESKTOP_USER_SID prefix
Function ${prefix}DesktopUserSid
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $R0 ""
  StrCpy $3 ""
  ; WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, WTSUserName (5), then WTSDomainName (7)
  System::Call 'wtsapi32::WTSQuerySessionInformationW(p 0, i -1, i 5, *p 0 r0, *i 0) i .r2'
  ${If} $2 <> 0
    System::Call '*$0(&w256 .r3)'
    System::Call 'wtsapi32::WTSFreeMemory(p r0)'
    System::Call 'wtsapi32::WTSQuerySessionInformationW(p 0, i -1, i 7, *p 0 r0, *i 0) i .r2'
    ${If} $2 <> 0
      System::Call '*$0(&w256 .r4)'
      System::Call 'wtsapi32::WTSFreeMemory(p r0)'
      ${If} $4 != ""
      ${AndIf} $3 != ""
        StrCpy $3 "$4\$3"
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ${If} $3 != ""
    System::Alloc 256 ; a SID takes at most 68 bytes
    Pop $0
    System::Call 'advapi32::LookupAccountNameW(p 0, w r3, p r0, *i 256, w .r4, *i ${NSIS_MAX_STRLEN}, *i .r1) i .r2'
    ${If} $2 <> 0
      System::Call 'advapi32::ConvertSidToStringSidW(p r0, *p 0 r1) i .r2'
      ${If} $2 <> 0
        System::Call '*$1(&w256 .R0)'
        System::Call 'kernel32::LocalFree(p r1)'
      ${EndIf}
    ${EndIf}
    System::Free $0
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DESKTOP_USER_SID ""
!insertmacro DESKTOP_USER_SID "un."

Section "Make Quillaby the current screen saver" SecCurrent
  ; What the system's screen-saver settings write when the user picks a saver, into the settings of
  ; the user at the desktop.
  Call DesktopUserSid
  ${If} $R0 != ""
    WriteRegStr HKU "$R0\${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\quillaby.scr"
    WriteRegStr HKU "$R0\${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\quillaby.scr"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ${EndIf}
  ; The running session learns of it at once: SPI_SETSCREENSAVEACTIVE, then the WM_SETTINGCHANGE that
  ; SPIF_SENDCHANGE sends. Not through the flags themselves: the broadcast comes only with
  ; SPIF_UPDATEINIFILE, which writes the elevated account's profile, not the user's.
  System::Call 'user32::SystemParametersInfoW(i 0x11, i 1, p 0, i 0) i'
  System::Call 'user32::SendMessageTimeoutW(p 0xffff, i 0x1A, p 0x11, w "", i 2, i 5000, *p 0) p'
SectionEnd

Function .onInit
  SetRegView 64
  ; An interactive install offers the choice ticked; a silent one changes the current saver only
  ; when told to.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CURRENT" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecCurrent} ${SF_SELECTED}
  ${ElseIf} ${Silent}
    SectionSetFlags ${SecCurrent} 0
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

; Removes what the installer made. The user's options under HKEY_CURRENT_USER stay.
Section "Uninstall"
  SetRegView 64
  !insertmacro REMOVE_PROGRAM_FILES
  ; What still runs is removed when Windows restarts.
  Delete /REBOOTOK "$SYSDIR\quillaby.scr"
  Delete /REBOOTOK "$INSTDIR\quillaby.exe"
  Delete "$INSTDIR\quillaby.html"
  Delete "$INSTDIR\quillaby.log" ; written beside the twin when it runs with --log
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  ${GetParent} "$INSTDIR" $0
  RMDir /REBOOTOK "$0" ; the company folder, when nothing else of the company's is left in it

  DeleteRegValue HKLM "${OPTIONS_KEY}" "Path"
  DeleteRegKey /ifempty HKLM "${OPTIONS_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${COMPANY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; A current saver that no longer exists would leave the system pointing at nothing: the user at
  ; the desktop's choice, the one the installer made.
  Call un.DesktopUserSid
  ${If} $R0 != ""
    ReadRegStr $0 HKU "$R0\${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == "$SYSDIR\quillaby.scr"
      DeleteRegValue HKU "$R0\${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${Else}
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == "$SYSDIR\quillaby.scr"
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}

  ${If} ${RebootFlag}
    ; 3010: done, a restart completes it (what installers answer for this).
    SetErrorLevel 3010
    MessageBox MB_OK|MB_ICONINFORMATION "Quillaby was running and could not be removed completely. \
        Its remaining files will be removed when Windows restarts." /SD IDOK
  ${EndIf}
SectionEnd
