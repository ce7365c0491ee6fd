; Oristel's installer: a per-user install, no administrator rights, into a
; folder the program may write to (it keeps its settings and notes beside
; Oristel.exe). Built by CMake (target "installer") with
;   makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DPROGRAM_DIR=<staged files> -DICON=<icon> -DOUTFILE=<setup.exe> oristel.nsi
; An upgrade leaves the user's settings (with the today selection) and notes
; as they are; the uninstaller asks before it deletes them, and a silent
; uninstall (/S) keeps them.

Unicode true
; Oristel.exe is a 64-bit program; so is its installer (it also runs where
; Wine has no 32-bit side).
Target amd64-unicode
!include "MUI2.nsh"
!include "FileFunc.nsh"

!macro Required NAME
  !ifndef ${NAME}
    !error "makensis -D${NAME}=... is required"
  !endif
!macroend
!insertmacro Required VERSION
!insertmacro Required PROGRAM_DIR
!insertmacro Required ICON
!insertmacro Required OUTFILE

!define PRODUCT "Oristel"
!define PUBLISHER "Equipo de Oristel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Oristel"
!define UNINSTALLER "Desinstalar.exe"
; The window class of a running Oristel.
!define WINDOW_CLASS "ORISTEL_2007"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Oristel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Oristel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Iniciar Oristel"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalación de Oristel"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "Copyright © 2026 ${PUBLISHER}"

; Files cannot be replaced or removed while Oristel runs: ask the user to
; close it; a silent run gives up at once.
!macro WaitUntilOristelIsClosed
  retry:
    FindWindow $0 "${WINDOW_CLASS}"
    StrCmp $0 0 closed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Oristel está abierto. Ciérrelo y pulse Reintentar." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
  closed:
!macroend

Function .onInit
  !insertmacro WaitUntilOristelIsClosed
FunctionEnd

Section "Oristel" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}/Oristel.exe"
  File "${PROGRAM_DIR}/Sol_2007.cal"
  File "${PROGRAM_DIR}/Festivos_2007.cal"
  File "${PROGRAM_DIR}/DiasMundiales_2007.cal"
  File "${PROGRAM_DIR}/Anyo_2007.cal"
  File "${PROGRAM_DIR}/ExpImp.cal"
  File "${PROGRAM_DIR}/iso.gif"
  File "${PROGRAM_DIR}/l1.gif"
  File "${PROGRAM_DIR}/l2.gif"
  File "${PROGRAM_DIR}/l3.gif"
  File "${PROGRAM_DIR}/l4.gif"
  ; The user's own files: installed only where there are none yet.
  SetOverwrite off
  File "${PROGRAM_DIR}/cal_2007.op"
  File "${PROGRAM_DIR}/cal_notas.dat"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  SetShellVarContext current
  CreateShortCut "$SMPROGRAMS\Oristel.lnk" "$INSTDIR\Oristel.exe" "" "$INSTDIR\Oristel.exe" 0 \
                 SW_SHOWNORMAL "" "Calendario de 2007 con notas"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Oristel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  !insertmacro WaitUntilOristelIsClosed
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\Oristel.exe"
  Delete "$INSTDIR\Sol_2007.cal"
  Delete "$INSTDIR\Festivos_2007.cal"
  Delete "$INSTDIR\DiasMundiales_2007.cal"
  Delete "$INSTDIR\Anyo_2007.cal"
  Delete "$INSTDIR\ExpImp.cal"
  Delete "$INSTDIR\iso.gif"
  Delete "$INSTDIR\l1.gif"
  Delete "$INSTDIR\l2.gif"
  Delete "$INSTDIR\l3.gif"
  Delete "$INSTDIR\l4.gif"
  ; The pages the program writes for the HTML dialog.
  Delete "$INSTDIR\cal_temp.htm"
  Delete "$INSTDIR\Anyo_2007.htm"
  Delete "$INSTDIR\ExpImp.htm"
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "¿Desea borrar también sus notas y su configuración de Oristel?$\r$\n$\r$\n$INSTDIR\cal_notas.dat$\r$\n$INSTDIR\cal_2007.op" \
    /SD IDNO IDNO keep
  Delete "$INSTDIR\cal_notas.dat"
  Delete "$INSTDIR\cal_2007.op"
  keep:
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only an empty folder goes: whatever else the user keeps there stays.
  RMDir "$INSTDIR"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Oristel.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
