; The installer of the whole product: both programs, the companion libraries, the skins and the settings
; in one folder under the user's program folder, the product's registry values, a start-menu shortcut
; and an uninstaller. Built by the project's build (installer/CMakeLists.txt), which passes:
;   NSIS_TARGET, OUTFILE, VERSION, VERSION_NUMERIC, PAYLOAD_DIR (the product folder's file lists),
;   HELPER, ICON, HOSTS (the shipped service_hosts.ini)
; Command line, besides NSIS's own /S (silent) and /D=<folder>:
;   /HOSTS=<file>   install this file as service_hosts.ini (the addresses of the maker's services);
;                   without it an installation keeps the file it has, and a new one gets the shipped one.

Unicode true
Target ${NSIS_TARGET}
ManifestDPIAware true
; Everything goes to the user's own folders and registry hive: no elevation needed, also not when the
; updater runs the installer.
RequestExecutionLevel user
SetCompressor /SOLID lzma
; A file that cannot be written fails the installation instead of being skipped in silence.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT_KEY "SOFTWARE\VarnioWorks\Sorvik"
!define MAKER_KEY "SOFTWARE\VarnioWorks"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvik"
!define SHORTCUT "$SMPROGRAMS\Sorvik.lnk"
!define HELPER_EXE "$PLUGINSDIR\sorvik_setup_helper.exe"

Name "Sorvik"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Sorvik"
InstallDirRegKey HKCU "${PRODUCT_KEY}" "path"
BrandingText "VarnioWorks"
ShowInstDetails hide
ShowUninstDetails hide

; Set when the folder already holds Sorvik: an update, run by the updater after the user accepted it.
Var Updating

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; An update shows only its progress: the user has already agreed in the updater's prompt, the folder is
; the installation's own, and the updater starts Sorvik itself afterwards.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenUpdating
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenUpdating
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartSorvik
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenUpdating
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION_NUMERIC}"
VIFileVersion "${VERSION_NUMERIC}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Sorvik"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "VarnioWorks"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Sorvik 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "© VarnioWorks"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "OriginalFilename" "Sorvik_Setup.exe"

; Makes room for a program file in $OUTDIR: removed when it can be, otherwise (it is running) moved
; aside to <name>.old, which the next installation or the uninstaller removes.
!macro FreeProgramFile NAME
  Delete "$OUTDIR\${NAME}.old"
  ClearErrors
  Delete "$OUTDIR\${NAME}"
  ${If} ${Errors}
    Rename "$OUTDIR\${NAME}" "$OUTDIR\${NAME}.old"
  ${EndIf}
!macroend

; Runs the helper with a command and the installation folder, showing the text instead of its command
; line; $0 is its exit code, or -1 when it could not be started.
!macro RunHelper COMMAND TEXT
  DetailPrint "${TEXT}"
  SetDetailsPrint none
  ClearErrors
  ExecWait '"${HELPER_EXE}" ${COMMAND} "$INSTDIR"' $0
  ${If} ${Errors}
    StrCpy $0 -1
  ${EndIf}
  SetDetailsPrint both
!macroend

; The helper goes to the temporary plug-in folder, out of the way of the files it helps with.
!macro UnpackHelper
  SetDetailsPrint none
  InitPluginsDir
  SetOutPath "$PLUGINSDIR"
  File "/oname=${HELPER_EXE}" "${HELPER}"
  SetDetailsPrint both
!macroend

!macro FailWith TEXT
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

Function .onInit
  ${If} ${FileExists} "$INSTDIR\Sorvik.exe"
    StrCpy $Updating 1
  ${EndIf}
FunctionEnd

Function SkipWhenUpdating
  ${If} $Updating == 1
    Abort
  ${EndIf}
FunctionEnd

; Through the shell, so that a program that asks for elevation gets it.
Function StartSorvik
  ExecShell "open" "$INSTDIR\Sorvik.exe"
FunctionEnd

Section "-Sorvik"
  !insertmacro UnpackHelper

  ; A running Sorvik holds its files and may have services stopped for game mode.
  !insertmacro RunHelper close "正在关闭 Sorvik 并恢复系统服务..."
  ${If} $0 <> 0
    !insertmacro FailWith "Sorvik 正在运行，无法关闭。请退出 Sorvik 后重新安装。"
  ${EndIf}

  !include "${PAYLOAD_DIR}/install_files.nsh"

  SetOutPath "$INSTDIR"
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/HOSTS=" $R1
  ${IfNot} ${Errors}
    ClearErrors
    CopyFiles /SILENT "$R1" "$INSTDIR\service_hosts.ini"
    ${If} ${Errors}
      !insertmacro FailWith "无法读取服务地址文件：$R1"
    ${EndIf}
  ${ElseIfNot} ${FileExists} "$INSTDIR\service_hosts.ini"
    File "/oname=service_hosts.ini" "${HOSTS}"
  ${EndIf}

  ; The updater's configuration follows the installation's service addresses.
  !insertmacro RunHelper write-config "正在写入升级配置..."
  ${If} $0 <> 0
    !insertmacro FailWith "无法写入升级配置文件。"
  ${EndIf}

  ; "version" is Sorvik's own installation record: a start that finds another version there records
  ; its own and reports the installation to the statistics service, which a version written here
  ; would prevent for every installation and update.
  WriteRegStr HKCU "${PRODUCT_KEY}" "path" "$INSTDIR"
  WriteRegStr HKCU "${PRODUCT_KEY}" "pkgname" "Sorvik_Setup.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\Sorvik.exe" "" "$INSTDIR\Sorvik.exe" 0
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Sorvik"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "VarnioWorks"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Sorvik.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Section "Uninstall"
  !insertmacro UnpackHelper

  ; Game mode's effects end first, and nothing of the product may go on running from the folder.
  !insertmacro RunHelper close-all "正在关闭 Sorvik 并恢复系统服务..."
  ${If} $0 <> 0
    !insertmacro FailWith "Sorvik 的程序正在运行，无法关闭。请退出 Sorvik 后重新卸载。"
  ${EndIf}

  !include "${PAYLOAD_DIR}/uninstall_files.nsh"
  ; Written at installation or by the programs themselves.
  Delete "$INSTDIR\service_hosts.ini"
  Delete "$INSTDIR\config\update_config.xml"
  Delete "$INSTDIR\config\update_config.xml.new"
  Delete "$INSTDIR\config\varnio_movrel.ini"
  RMDir "$INSTDIR\config"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only an empty folder is removed: the user may have chosen one that holds files of their own.
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  DeleteRegValue HKCU "${PRODUCT_KEY}" "version"
  DeleteRegValue HKCU "${PRODUCT_KEY}" "path"
  DeleteRegValue HKCU "${PRODUCT_KEY}" "pkgname"
  DeleteRegKey /ifempty HKCU "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
