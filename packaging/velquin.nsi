; The setup program of Velquin, per user and without elevation.
; It installs into the user's own programs folder, keeps the user's tables,
; attachments and edited manual when it upgrades, and leaves them in place on
; uninstall unless the user asks otherwise (/REMOVEDATA when silent).
; packaging/CMakeLists.txt runs makensis with these defines:
;   VERSION, VERSION_QUAD  the release, "2.3" and "2.3.0.0"
;   PRODUCT, PUBLISHER, COPYRIGHT
;   DIST     the program folder to package (dist/)
;   ICON     the program's icon
;   OUTFILE  the setup program to write

Unicode true
; Velquin.exe is a 64-bit program; a 64-bit setup also sees the registry
; view the program writes its Run value to.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
; A file that cannot be written stops setup, also a silent one, instead of
; being skipped.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velquin"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Velquin"
!define MAIN_CLASS "TovanelMainWindow"
!define UNINSTALLER "卸载.exe"
!define SHORTCUT "$SMPROGRAMS\Velquin.lnk"
!define MANUAL "使用说明.txt"
; OpenProcess rights: wait for the process and read its image name.
!define PROCESS_WAIT_AND_QUERY 0x101000
!define CLOSE_TIMEOUT_MS 15000

Name "Velquin"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velquin"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} Velquin ${VERSION}"

Var RemoveData      ; 1: uninstall removes the user's tables and attachments too
Var RemoveDataBox
Var AgreedToClose   ; the user agreed to close the running Velquin
Var ProgramIdentity ; of $INSTDIR\Velquin.exe, to recognise a running copy

; ----- pages -----

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Velquin.exe"
!define MUI_FINISHPAGE_RUN_TEXT "运行 Velquin"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\${MANUAL}"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "查看使用说明"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.ConfirmPageShow un.ConfirmPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Velquin ${VERSION} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"

; ----- a running copy -----

; Both the setup and the uninstaller need these; NSIS wants the uninstaller's
; functions under names of their own.
!macro DEFINE_RUNNING_COPY_FUNCTIONS un

; $R5 in: a path; out: the file's identity (volume and file index), or ""
; when it cannot be read. Two paths name the same file exactly when their
; identities match, whatever short names, drive letters or links they use.
Function ${un}FileIdentity
  System::Call 'kernel32::CreateFileW(w R5, i 0, i 7, p 0, i 3, i 0, p 0) p .R6'
  StrCpy $R5 ""
  ${If} $R6 != -1
    ; BY_HANDLE_FILE_INFORMATION: 13 DWORDs; the volume serial is the 8th,
    ; the file index the last two.
    System::Call '*(&i52) p .R7'
    System::Call 'kernel32::GetFileInformationByHandle(p R6, p R7) i .R4'
    ${If} $R4 != 0
      System::Call '*$R7(i, i, i, i, i, i, i, i .R8, i, i, i, i .R9, i .R4)'
      StrCpy $R5 "$R8:$R9:$R4"
    ${EndIf}
    System::Free $R7
    System::Call 'kernel32::CloseHandle(p R6)'
  ${EndIf}
FunctionEnd

; $R0: a main window of Velquin running from $INSTDIR, or 0 when none.
; $R1: its process, opened to be waited on; the caller closes it.
Function ${un}FindRunningCopy
  StrCpy $R0 0
  StrCpy $R1 0
  StrCpy $R5 "$INSTDIR\Velquin.exe"
  Call ${un}FileIdentity
  ${If} $R5 == ""
    Return
  ${EndIf}
  StrCpy $ProgramIdentity $R5
  ${Do}
    FindWindow $R0 "${MAIN_CLASS}" "" 0 $R0
    ${If} $R0 == 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R3)'
    System::Call 'kernel32::OpenProcess(i ${PROCESS_WAIT_AND_QUERY}, i 0, i R3) p .R1'
    ${If} $R1 != 0
      System::Call 'kernel32::QueryFullProcessImageNameW(p R1, i 0, w .R5, *i ${NSIS_MAX_STRLEN})'
      Call ${un}FileIdentity
      ${If} $R5 == $ProgramIdentity
        ${Break}
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p R1)'
      StrCpy $R1 0
    ${EndIf}
  ${Loop}
FunctionEnd

; Closes every copy running from $INSTDIR as its own 关闭 button does, after
; asking the user (a silent run closes them without asking), and waits for
; each to end. Setup stops before touching a file when the user declines or a
; copy does not end.
Function ${un}CloseRunningCopies
  StrCpy $AgreedToClose 0
  ${Do}
    Call ${un}FindRunningCopy
    ${If} $R0 == 0
      ${Break}
    ${EndIf}
    ${If} $AgreedToClose == 0
      MessageBox MB_OKCANCEL|MB_ICONINFORMATION \
        "Velquin 正在运行，需要先关闭它。$\r$\n$\r$\n点“确定”关闭 Velquin 并继续，点“取消”退出。" \
        /SD IDOK IDOK agreed
      System::Call 'kernel32::CloseHandle(p R1)'
      Abort "已取消：Velquin 仍在运行。"
      agreed:
      StrCpy $AgreedToClose 1
    ${EndIf}
    DetailPrint "正在关闭 Velquin…"
    System::Call 'user32::PostMessageW(p R0, i ${WM_CLOSE}, p 0, p 0)'
    System::Call 'kernel32::WaitForSingleObject(p R1, i ${CLOSE_TIMEOUT_MS}) i .R2'
    System::Call 'kernel32::CloseHandle(p R1)'
    ${If} $R2 != 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Velquin 没有退出。请在它的托盘菜单中点“退出”，然后点“重试”。" \
        /SD IDCANCEL IDRETRY retry
      Abort "已停止：Velquin 没有退出。"
      retry:
    ${EndIf}
  ${Loop}
  Call ${un}WaitUntilProgramFree
FunctionEnd

; A copy without a window (still starting, or another user's) also holds
; Velquin.exe: wait until the file can be written alone.
Function ${un}WaitUntilProgramFree
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\Velquin.exe"
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\Velquin.exe", i 0x40000000, i 0, p 0, i 3, i 0x80, p 0) p .R0'
    ${If} $R0 != -1
      System::Call 'kernel32::CloseHandle(p R0)'
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Velquin.exe 正在使用中。请退出所有 Velquin，然后点“重试”。" \
      /SD IDCANCEL IDRETRY retry
    Abort "已停止：Velquin.exe 正在使用中。"
    retry:
  ${Loop}
FunctionEnd

!macroend

!insertmacro DEFINE_RUNNING_COPY_FUNCTIONS ""
!insertmacro DEFINE_RUNNING_COPY_FUNCTIONS "un."

; ----- setup -----

; Writes a program file beside the old one and then swaps it in, so an
; interrupted setup leaves the old file whole, never half of a new one.
!macro INSTALL_PROGRAM_FILE name
  File "/oname=${name}.new" "${DIST}/${name}"
  ; MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH
  System::Call 'kernel32::MoveFileExW(w "$INSTDIR\${name}.new", w "$INSTDIR\${name}", i 0xB) i .r0'
  ${If} $0 == 0
    Delete "$INSTDIR\${name}.new"
    MessageBox MB_OK|MB_ICONSTOP "无法替换 $INSTDIR\${name}。" /SD IDOK
    Abort "已停止：无法替换 ${name}。"
  ${EndIf}
!macroend

; The manual is replaced unless the user has edited it, which shows as a
; write time other than the one recorded when setup put it there.
Function InstallManual
  ${If} ${FileExists} "$INSTDIR\${MANUAL}"
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "ManualWriteTime"
    GetFileTime "$INSTDIR\${MANUAL}" $1 $2
    ${If} "$0" != "$1:$2"
      DetailPrint "保留你修改过的 ${MANUAL}"
      Return
    ${EndIf}
  ${EndIf}
  File "${DIST}/${MANUAL}"
  GetFileTime "$INSTDIR\${MANUAL}" $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "ManualWriteTime" "$1:$2"
FunctionEnd

; The shipped tables go only where the user has none: a new version never
; replaces settings or replies. The reply table and its long-text file are a
; pair, so neither is added beside a lone other half.
Function InstallTablesWhereNone
  SetOverwrite off
  ${If} ${FileExists} "$INSTDIR\设置.RTB"
    DetailPrint "保留你的设置 设置.RTB"
  ${Else}
    File "${DIST}/设置.RTB"
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\内容.RTB"
  ${OrIf} ${FileExists} "$INSTDIR\内容.RTL"
    DetailPrint "保留你的回复 内容.RTB 和 内容.RTL"
  ${Else}
    File "${DIST}/内容.RTB"
    File "${DIST}/内容.RTL"
  ${EndIf}
  SetOverwrite on
  CreateDirectory "$INSTDIR\fi"
FunctionEnd

Function WriteUninstallEntry
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Velquin"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velquin.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

Section "Velquin"
  SetOutPath "$INSTDIR"
  Call CloseRunningCopies
  !insertmacro INSTALL_PROGRAM_FILE "Velquin.exe"
  Call InstallManual
  Call InstallTablesWhereNone
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Velquin.exe" "" "$INSTDIR\Velquin.exe" 0 \
    SW_SHOWNORMAL "" "Velquin 快捷回复面板"
  Call WriteUninstallEntry
SectionEnd

; ----- uninstall -----

Function un.onInit
  StrCpy $RemoveData 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveData 1
  ${EndIf}
FunctionEnd

Function un.ConfirmPageShow
  !insertmacro MUI_HEADER_TEXT "卸载 Velquin" "从本机删除 Velquin。"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 30u \
    "将删除以下文件夹中的 Velquin 程序，以及开始菜单快捷方式和开机启动项：$\r$\n$INSTDIR"
  Pop $0
  ${NSD_CreateLabel} 0 38u 100% 30u \
    "你的设置、回复和附件（设置.RTB、内容.RTB、内容.RTL 和 fi 文件夹）会保留在这个文件夹中，重新安装后可以继续使用。"
  Pop $0
  ${NSD_CreateCheckbox} 0 76u 100% 12u "同时删除我的设置、回复和附件（无法恢复）"
  Pop $RemoveDataBox
  ${If} $RemoveData == 1
    ${NSD_Check} $RemoveDataBox
  ${EndIf}
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
  nsDialogs::Show
FunctionEnd

Function un.ConfirmPageLeave
  ${NSD_GetState} $RemoveDataBox $0
  ${If} $0 == ${BST_CHECKED}
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 \
      "确定要删除你的全部设置、回复和附件吗？删除后无法恢复。" IDYES confirmed
    Abort
    confirmed:
    StrCpy $RemoveData 1
  ${Else}
    StrCpy $RemoveData 0
  ${EndIf}
FunctionEnd

; The Run value goes only when it starts this copy: a portable copy elsewhere
; may own it.
!macro REMOVE_RUN_VALUE root
  ReadRegStr $0 ${root} "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == "$INSTDIR\Velquin.exe"
  ${OrIf} $0 == '"$INSTDIR\Velquin.exe"'
    DeleteRegValue ${root} "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
!macroend

; An edited manual stays with the user's data unless all of it goes.
Function un.RemoveManual
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "ManualWriteTime"
  GetFileTime "$INSTDIR\${MANUAL}" $1 $2
  ${If} $RemoveData == 1
  ${OrIf} "$0" == "$1:$2"
    Delete "$INSTDIR\${MANUAL}"
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningCopies
  Delete "$INSTDIR\Velquin.exe"
  ${If} ${FileExists} "$INSTDIR\Velquin.exe"
    MessageBox MB_OK|MB_ICONSTOP "无法删除 $INSTDIR\Velquin.exe，卸载已停止。" /SD IDOK
    Abort "已停止：无法删除 Velquin.exe。"
  ${EndIf}
  Delete "$INSTDIR\Velquin.exe.new"
  Call un.RemoveManual
  Delete "${SHORTCUT}"
  !insertmacro REMOVE_RUN_VALUE HKCU
  !insertmacro REMOVE_RUN_VALUE HKLM
  ${If} $RemoveData == 1
    Delete "$INSTDIR\设置.RTB"
    Delete "$INSTDIR\内容.RTB"
    Delete "$INSTDIR\内容.RTL"
    RMDir /r "$INSTDIR\fi"
  ${Else}
    DetailPrint "你的设置、回复和附件保留在 $INSTDIR"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only an emptied folder goes: whatever else the user keeps there stays.
  RMDir "$INSTDIR"
SectionEnd
