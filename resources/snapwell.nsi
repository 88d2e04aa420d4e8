; Snapwell's Windows installer (NSIS 3, Unicode, 64-bit stub).
; Built by scripts/dist:
;   makensis -DVERSION=4.50 -DLISTS=<folder> -DOUTFILE=<setup.exe> snapwell.nsi
; LISTS holds files.nsh and unfiles.nsh, the File and Delete lines of exactly the shipped files
; (and the SetOutPath and RMDir lines of their folders, such as the guide's Guide\), so the
; uninstaller removes what was installed and nothing the user put beside it.

Unicode true
; The x86 stub is a 32-bit program; a 64-bit one installs into the real Program Files.
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION is not defined (makensis -DVERSION=...)"
!endif
!ifndef LISTS
  !error "LISTS is not defined (makensis -DLISTS=...)"
!endif
!ifndef OUTFILE
  !define OUTFILE "Snapwell-${VERSION}-setup.exe"
!endif

!define PRODUCT "Snapwell"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Snapwell"
!define SETTINGS_KEY "Software\Snapwell"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PRODUCT}"

!include "MUI2.nsh"
!include "Sections.nsh"
!include "FileFunc.nsh"
!insertmacro un.GetParameters
!insertmacro un.GetOptions

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Snapwell.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Guide\$(GuidePage)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString SecProgram ${LANG_ENGLISH} "Snapwell"
LangString SecProgram ${LANG_JAPANESE} "Snapwell"
LangString SecSettings ${LANG_ENGLISH} "My settings"
LangString SecSettings ${LANG_JAPANESE} "設定"
LangString DescProgram ${LANG_ENGLISH} "The program, its libraries, the frame templates and the user guide."
LangString DescProgram ${LANG_JAPANESE} "プログラム、ライブラリ、ワク型、説明書。"
LangString DescSettings ${LANG_ENGLISH} "Also delete your Snapwell settings (HKEY_CURRENT_USER\Software\Snapwell). Leave this off to keep them for a later installation."
LangString DescSettings ${LANG_JAPANESE} "Snapwell の設定 (HKEY_CURRENT_USER\Software\Snapwell) も削除します。再インストールで使うなら外したままにしてください。"
LangString GuideLink ${LANG_ENGLISH} "Snapwell user guide"
LangString GuideLink ${LANG_JAPANESE} "Snapwell 説明書"
; The guide's page in the installer's language, which is the system's when it is one of these.
LangString GuidePage ${LANG_ENGLISH} "en.html"
LangString GuidePage ${LANG_JAPANESE} "ja.html"
LangString UninstallLink ${LANG_ENGLISH} "Uninstall Snapwell"
LangString UninstallLink ${LANG_JAPANESE} "Snapwell のアンインストール"

Section "Snapwell" SecInstall
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !include "${LISTS}/files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Snapwell.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\$(GuideLink).lnk" "$INSTDIR\Guide\$(GuidePage)"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\$(UninstallLink).lnk" "$INSTDIR\uninstall.exe"

  ; Add/Remove Programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Snapwell.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecInstall} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function .onInit
  SetRegView 64
FunctionEnd

; The uninstaller: the program always goes; the settings only when the user ticks them
; (or passes /REMOVESETTINGS; a silent /S uninstall keeps them).
Section "un.$(SecProgram)" SecUnProgram
  SectionIn RO
  SetShellVarContext all
  !include "${LISTS}/unfiles.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an empty folder is removed: files the user put there stay.
  RMDir "$INSTDIR"

  ; The Start-menu folder is the installer's own (its link names follow the install language).
  RMDir /r "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.$(SecSettings)" SecUnSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

Function un.onInit
  SetRegView 64
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVESETTINGS" $R1
  IfErrors keep_settings
  !insertmacro SelectSection ${SecUnSettings}
  keep_settings:
FunctionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnProgram} $(DescProgram)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnSettings} $(DescSettings)
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
