; The Windows installer: the programs, Qt and the MinGW runtime beside them,
; the manual and the notice, a Start-menu entry and an uninstaller. Installs
; for the current user only, without administrator rights.
;
;   makensis -DVERSION=1.1.0 -DSTAGE=<cmake --install prefix> -DOUTFILE=<setup.exe> tanahuda.nsi
; A 64-bit installer for the 64-bit programs (and a Windows without the
; 32-bit subsystem).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tanahuda"

Name "tanahuda ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\tanahuda"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "tanahuda ${VERSION}"

!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\tanahuda.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; The folders the installer fills; the uninstaller removes these and nothing
; else, so a folder chosen by the user keeps what it held before.
!macro InstalledFolders action
  ${action} "$INSTDIR\bin"
  ${action} "$INSTDIR\share"
  ${action} "$INSTDIR\translations"
!macroend
!define RemoveFolder "RMDir /r"

Section "tanahuda"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\tanahuda"
  CreateShortcut "$SMPROGRAMS\tanahuda\棚札 tanahuda.lnk" "$INSTDIR\bin\tanahuda.exe"
  CreateShortcut "$SMPROGRAMS\tanahuda\マニュアル.lnk" "$INSTDIR\share\doc\tanahuda\manual\index.html"
  CreateShortcut "$SMPROGRAMS\tanahuda\アンインストール.lnk" "$INSTDIR\uninstall.exe"

  ; Listed under the installed programs of this user.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "tanahuda ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The tanahuda developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\tanahuda.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !insertmacro InstalledFolders "${RemoveFolder}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir /r "$SMPROGRAMS\tanahuda"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
