; ZQ-M(V)710ALX Remote for Windows. makensis -DVERSION=x -DSTAGE=dir -DOUTFILE=file
; Silent: /S, the folder with /D=DIR (last, unquoted).
; A 64-bit installer for the 64-bit program (and Wine without its 32-bit half).
Target amd64-unicode
SetCompressor /SOLID lzma
!define APP "ZQ-M(V)710ALX Remote"
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZQRemote"
!define PROGID "ZQRemote.Settings"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
RequestExecutionLevel admin
ShowInstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
    SetShellVarContext all
    SetRegView 64
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\zqremote.exe"
    ; Settings files (.zq) open in the program.
    WriteRegStr HKLM "Software\Classes\.zq" "" "${PROGID}"
    WriteRegStr HKLM "Software\Classes\${PROGID}" "" "ZQ-M(V)710ALX settings file"
    WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\zqremote.exe,0"
    WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\zqremote.exe" "%1"'
    WriteRegStr HKLM "${KEY}" "DisplayName" "${APP}"
    WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${KEY}" "Publisher" "Vantorix Ltd."
    WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\zqremote.exe"
    WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    SetRegView 64
    ; Exactly what was installed: files the user put there stay.
    !include "${STAGE}\..\uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP}.lnk"
    ReadRegStr $0 HKLM "Software\Classes\.zq" ""
    StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.zq"
    DeleteRegKey HKLM "Software\Classes\${PROGID}"
    DeleteRegKey HKLM "${KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
