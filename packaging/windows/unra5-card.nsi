; Installer of the Windows program. Built by the windows_dist target:
;   makensis -INPUTCHARSET UTF8 -DVERSION=<version> -DSTAGE=<program folder>
;            -DOUTFILE=<installer.exe> -DICON=<unra5-card.ico> -DPUBLISHER=<name> unra5-card.nsi
; Installs for the current user without administrator rights; for all users
; on request (the page's second choice, or /ALLUSERS on the command line),
; asking Windows for administrator rights then. The shortcuts start the
; card program, and the register of cards from the Start menu, in a cards
; folder in Documents, which the uninstaller never removes.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define APP_NAME "ЮНРА5. Карточка предприятия"
!define APP_FOLDER "ЮНРА5 Карточка предприятия"
!define CARDS_FOLDER "ЮНРА5 Карточки"
!define EXE "unra5-card.exe"
!define REGISTER_NAME "ЮНРА5. Сводка карточек"
!define REGISTER_EXE "unra5-register.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\unra5-card"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "${APP_NAME} ${VERSION}"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка: ${APP_NAME}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PUBLISHER}"

Var AllUsers
Var ModeMine
Var ModeAll

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The title names the program, whose name takes the third line.
!define MUI_FINISHPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunProgram
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; Per user: the user's own program folder, Start menu and Documents.
; All users: Program Files, the common Start menu and the public Documents,
; which every user of the machine may write to.
!macro UseMode
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

!macro DefaultInstDir
  ${If} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES64\${APP_FOLDER}"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${APP_FOLDER}"
  ${EndIf}
!macroend

!macro IsAdmin result
  UserInfo::GetAccountType
  Pop ${result}
!macroend

; Starts this installer again with administrator rights for all users.
Function Elevate
  ${GetParameters} $0
  ExecShell "runas" "$EXEPATH" "$0 /ALLUSERS /ELEVATED"
  Quit
FunctionEnd

Function .onInit
  StrCpy $AllUsers 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ALLUSERS" $1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    !insertmacro IsAdmin $1
    ClearErrors
    ${GetOptions} $0 "/ELEVATED" $2
    ${If} $1 != "Admin"
    ${AndIf} ${Errors}
      Call Elevate
    ${EndIf}
  ${EndIf}
  ; /D= on the command line has already set the folder.
  ${If} $INSTDIR == ""
    !insertmacro DefaultInstDir
  ${EndIf}
FunctionEnd

Function ModePage
  ${If} $AllUsers == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Вариант установки" "Для кого устанавливается программа."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 10u 100% 12u "Только для меня (права администратора не нужны)"
  Pop $ModeMine
  ${NSD_CreateRadioButton} 0 30u 100% 12u "Для всех пользователей компьютера (нужны права администратора)"
  Pop $ModeAll
  ${NSD_CreateLabel} 0 55u 100% 36u "Карточки сохраняются в папку «Документы\${CARDS_FOLDER}»; при удалении программы она сохраняется."
  Pop $0
  ${NSD_Check} $ModeMine
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $ModeAll $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
    !insertmacro IsAdmin $1
    ${If} $1 != "Admin"
      Call Elevate
    ${EndIf}
    !insertmacro DefaultInstDir
  ${EndIf}
FunctionEnd

Function RunProgram
  !insertmacro UseMode
  SetOutPath "$DOCUMENTS\${CARDS_FOLDER}"
  Exec '"$INSTDIR\${EXE}"'
FunctionEnd

; The entry under installed programs, in the hive of the install mode.
!macro WriteUninstallEntry root sizeKb
  WriteRegStr ${root} "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr ${root} "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr ${root} "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr ${root} "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr ${root} "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr ${root} "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr ${root} "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD ${root} "${UNINSTALL_KEY}" "EstimatedSize" ${sizeKb}
  WriteRegDWORD ${root} "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD ${root} "${UNINSTALL_KEY}" "NoRepair" 1
!macroend

Section "Program"
  !insertmacro UseMode
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteINIStr "$INSTDIR\uninstall.ini" "install" "AllUsers" "$AllUsers"

  CreateDirectory "$DOCUMENTS\${CARDS_FOLDER}"
  ; A shortcut starts the program in the current output folder.
  SetOutPath "$DOCUMENTS\${CARDS_FOLDER}"
  CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
  CreateShortCut "$DESKTOP\${APP_NAME}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
  CreateShortCut "$SMPROGRAMS\${REGISTER_NAME}.lnk" "$INSTDIR\${REGISTER_EXE}" "" "$INSTDIR\${REGISTER_EXE}" 0
  SetOutPath "$INSTDIR"

  ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
  ${If} $AllUsers == 1
    !insertmacro WriteUninstallEntry HKLM $2
  ${Else}
    !insertmacro WriteUninstallEntry HKCU $2
  ${EndIf}
SectionEnd

Function un.onInit
  ReadINIStr $AllUsers "$INSTDIR\uninstall.ini" "install" "AllUsers"
  ${If} $AllUsers == 1
    !insertmacro IsAdmin $1
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/ELEVATED" $2
    ${If} $1 != "Admin"
    ${AndIf} ${Errors}
      ExecShell "runas" "$INSTDIR\uninstall.exe" "$0 /ELEVATED"
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; Removes the program's own files only: the cards folder in Documents, and
; anything a user put into the program folder, stay.
Section "Uninstall"
  !insertmacro UseMode
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  Delete "$DESKTOP\${APP_NAME}.lnk"
  Delete "$SMPROGRAMS\${REGISTER_NAME}.lnk"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\translations"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\${REGISTER_EXE}"
  Delete "$INSTDIR\qt.conf"
  Delete "$INSTDIR\uninstall.ini"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} $AllUsers == 1
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${Else}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
