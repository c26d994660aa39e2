; Flingaroo's installer, made by makensis from the program folder. The build
; (packaging/windows/CMakeLists.txt) defines VERSION (1.0.0), VERSION4
; (1.0.0.0, for the installer's own version resource), STAGE (the program
; folder), ICON, OUTFILE and DATA_LIST (the uninstaller's lines that delete
; the files of data\, written by data_list.cmake).
;
; One install for the whole machine in Program Files, a Start menu shortcut
; for every user and an entry in Add/Remove Programs. The players' records
; are their own, in each one's %APPDATA%\Flingaroo\: neither the installer
; nor the uninstaller ever touches them.

!macro needs define
  !ifndef ${define}
    !error "makensis needs -D${define}=..."
  !endif
!macroend
!insertmacro needs VERSION
!insertmacro needs VERSION4
!insertmacro needs STAGE
!insertmacro needs ICON
!insertmacro needs OUTFILE
!insertmacro needs DATA_LIST

Unicode true
; The game runs on 64-bit Windows only, so the installer is 64-bit too: it
; never starts where the game could not, and it also runs under a Wine that
; has no 32-bit support.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin
; The build's time stamps mean nothing to a player, and leaving them out lets
; the same folder give the same installer.
SetDateSave off

!define NAME Flingaroo
!define PUBLISHER "The Flingaroo developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Flingaroo"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
BrandingText "${NAME} ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=0 ProductName "${NAME}"
VIAddVersionKey /LANG=0 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 FileVersion "${VERSION}"
VIAddVersionKey /LANG=0 FileDescription "${NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=0 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=0 LegalCopyright "${PUBLISHER}"

!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\flingaroo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run ${NAME}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

Function .onInit
  SetShellVarContext all
  SetRegView 64
  ; Installing again goes where the last install went, unless /D= names
  ; another folder.
  StrCmp $INSTDIR "$PROGRAMFILES64\${NAME}" 0 done
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" InstallLocation
  StrCmp $0 "" done
  StrCpy $INSTDIR $0
done:
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  File "${STAGE}/flingaroo.exe"
  File "${STAGE}/OpenAL32.dll"
  File "${STAGE}/LICENSE.txt"
  File "${STAGE}/README.txt"
  ; An earlier install's data\ goes whole: a file it had and this one has
  ; not would otherwise stay for good. Only beside the earlier install's own
  ; uninstaller: a folder the player chose may hold a data\ of its own.
  IfFileExists "$INSTDIR\uninstall.exe" 0 +2
    RMDir /r "$INSTDIR\data"
  SetOutPath "$INSTDIR\data"
  File /r "${STAGE}/data/*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\flingaroo.exe" "" "$INSTDIR\flingaroo.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\flingaroo.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

; Only what the installer put there goes: a file the player left in the
; folder keeps it, and the records in %APPDATA% are not looked at.
Section Uninstall
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$INSTDIR\flingaroo.exe"
  Delete "$INSTDIR\OpenAL32.dll"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  !include "${DATA_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
