; The installer of the editor and the headless tool for 64-bit Windows. Built by the installer target
; of the windows preset, which passes
;   VERSION      the program's version (2.2)
;   PROGRAM_DIR  the folder of webdef.exe with its libraries, plugins, translations and qt.conf
;   HELP_FILES   an include file whose macro HelpFiles lists the manual's files, as ProgramFiles below
;   OUTFILE      the installer to write
; Installs for all users into the program files folder, adds a Start-menu entry and an entry in the
; list of installed programs. /S installs and uninstalls without asking.

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define PRODUCT "Fennaro WebDef"
!define PUBLISHER "Fennaro"
!define HOMEPAGE "https://www.fennaro.example/webdef"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\FennaroWebDef"
!define UNINSTALLER "Deinstallieren.exe"

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\webdef.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "${PUBLISHER}"

; Every file of the program folder, once: installed and removed from the same list, so the
; uninstaller leaves nothing of ours behind. Each entry: the folder it comes from, the folder below
; the program folder it goes to ("." the program folder itself), its name.
!macro ProgramFiles FILE
    !insertmacro ${FILE} "${PROGRAM_DIR}" "." "webdef.exe"
    !insertmacro ${FILE} "${PROGRAM_DIR}" "." "webdef-cli.exe"
    !insertmacro ${FILE} "${PROGRAM_DIR}" "." "qt.conf"
    !insertmacro ${FILE} "${PROGRAM_DIR}" "." "Qt6Core.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}" "." "Qt6Gui.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}" "." "Qt6Widgets.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}" "." "libstdc++-6.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}" "." "libgcc_s_seh-1.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}" "." "libwinpthread-1.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}/platforms" "platforms" "qwindows.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}/platforms" "platforms" "qoffscreen.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}/styles" "styles" "qwindowsvistastyle.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}/imageformats" "imageformats" "qgif.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}/imageformats" "imageformats" "qico.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}/imageformats" "imageformats" "qjpeg.dll"
    !insertmacro ${FILE} "${PROGRAM_DIR}/translations" "translations" "qtbase_de.qm"
!macroend
!include "${HELP_FILES}"
!macro InstallFile SOURCE FOLDER NAME
    SetOutPath "$INSTDIR\${FOLDER}"
    File "${SOURCE}/${NAME}"
!macroend
!macro RemoveFile SOURCE FOLDER NAME
    Delete "$INSTDIR\${FOLDER}\${NAME}"
!macroend

Section
    SetShellVarContext all
    !insertmacro ProgramFiles InstallFile
    !insertmacro HelpFiles InstallFile

    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\webdef.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\webdef.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    !insertmacro ProgramFiles RemoveFile
    !insertmacro HelpFiles RemoveFile
    RMDir "$INSTDIR\Hilfe"
    RMDir "$INSTDIR\platforms"
    RMDir "$INSTDIR\styles"
    RMDir "$INSTDIR\imageformats"
    RMDir "$INSTDIR\translations"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Only when empty: files the user put there stay.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
