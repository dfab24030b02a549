; The Windows installer, quillaby-setup.exe: the saver file goes into the system folder (where the
; system's list of screen savers looks), its executable twin and the help page into a program folder
; whose path the program reads back from the machine key's "Path". Built by CMake with
;   makensis -DVERSION=1.9 -DBUILD_DIR=<folder of quillaby.scr, quillaby.exe, quillaby.html> \
;            -DOUT_FILE=<quillaby-setup.exe> quillaby.nsi
; Command line: /S installs or uninstalls without a window; /D=<folder> picks the program folder;
; /CURRENT (with or without /S) also makes Quillaby the current screen saver, which a silent install
; otherwise leaves alone.

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
InstallDir "$PROGRAMFILES64\${COMPANY}\${PRODUCT}"
InstallDirRegKey HKLM "${OPTIONS_KEY}" "Path"
RequestExecutionLevel admin ; the system folder and the machine key
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT} Screen Saver"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileDescription" "${PRODUCT} Screen Saver Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"

!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "-Quillaby" SecFiles
  SetRegView 64
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

Section "Make Quillaby the current screen saver" SecCurrent
  ; What the system's screen-saver settings write when the user picks a saver.
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\quillaby.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
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
  Delete "$SYSDIR\quillaby.scr"
  Delete "$INSTDIR\quillaby.exe"
  Delete "$INSTDIR\quillaby.html"
  Delete "$INSTDIR\quillaby.log" ; written beside the twin when it runs with --log
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${GetParent} "$INSTDIR" $0
  RMDir "$0" ; the company folder, when nothing else of the company's is left in it

  DeleteRegValue HKLM "${OPTIONS_KEY}" "Path"
  DeleteRegKey /ifempty HKLM "${OPTIONS_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${COMPANY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; A current saver that no longer exists would leave the system pointing at nothing.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == "$SYSDIR\quillaby.scr"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
SectionEnd
