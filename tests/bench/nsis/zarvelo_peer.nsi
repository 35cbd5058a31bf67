; The installer most publishers would write instead of ours, in NSIS with
; Modern UI 2: the peer scripts/measure-launch holds the setup against. It
; does the same job as closely as NSIS allows: a Turkish wizard (welcome,
; the disclaimer to accept, the destination, the installation, the end),
; the same eight files, the product's registry values and an uninstall
; entry under HKLM, a Start-menu group of three items for all users, and an
; uninstaller. Its names end in "NSIS" so that it and the setup can be
; installed side by side in one Wine prefix.
;
; makensis -DPAYLOAD=DIR -DOUTFILE=FILE -DTARGET=x86-unicode|amd64-unicode
;          [-DCOMPRESSOR=zlib|"/SOLID lzma"] zarvelo_peer.nsi
; PAYLOAD holds the eight files as installed (scripts/make-payload's payload
; folder).
;
; Modern UI gives every page but the welcome page a blank subcaption: the
; window's caption then ends in a space.

!ifndef PAYLOAD | OUTFILE | TARGET
  !error "define PAYLOAD, OUTFILE and TARGET"
!endif
!ifndef COMPRESSOR
  !define COMPRESSOR zlib
!endif

Unicode true
Target ${TARGET}
SetCompressor ${COMPRESSOR}
; A build of the same files gives the same bytes.
SetDateSave off
RequestExecutionLevel admin
ManifestDPIAware true

!define PRODUCT "Zarvelo NSIS"
!define PRODUCT_KEY "Software\Dalvorin\Zrv5NSIS"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zrv5NSIS"
!define UNINSTALLER "Uninstall Zarvelo.exe"

Name "${PRODUCT}"
Caption "${PRODUCT} - Kurulum"
OutFile "${OUTFILE}"
!if ${TARGET} == amd64-unicode
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${PRODUCT_KEY}" "Dizin"

!include "MUI2.nsh"

; No question on Cancel (MUI_ABORTWARNING): the benchmark closes the wizard
; in one step, and the question's box would share the wizard's caption.
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "disclaimer.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

Section "Zarvelo"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${PAYLOAD}\Zrv5.exe"
  File "${PAYLOAD}\Uninstall Zrv5.exe"
  File "${PAYLOAD}\Zrv5.chm"
  File "${PAYLOAD}\Dorno.wav"
  File "${PAYLOAD}\Kemra.wav"
  File "${PAYLOAD}\Pasel.wav"
  File "${PAYLOAD}\Tuska1.wav"
  File "${PAYLOAD}\Tuska2.wav"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKLM "${PRODUCT_KEY}" "Dizin" "$INSTDIR"
  WriteRegDWORD HKLM "${PRODUCT_KEY}" "Desen" 1
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "3.0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Dalvorin Yazılım"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zrv5.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Zarvelo.lnk" "$INSTDIR\Zrv5.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Zarvelo Yardım.lnk" "$INSTDIR\Zrv5.chm"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall Zarvelo.lnk" "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\Zarvelo.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Zarvelo Yardım.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall Zarvelo.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$INSTDIR\Zrv5.exe"
  Delete "$INSTDIR\Uninstall Zrv5.exe"
  Delete "$INSTDIR\Zrv5.chm"
  Delete "$INSTDIR\Dorno.wav"
  Delete "$INSTDIR\Kemra.wav"
  Delete "$INSTDIR\Pasel.wav"
  Delete "$INSTDIR\Tuska1.wav"
  Delete "$INSTDIR\Tuska2.wav"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${PRODUCT_KEY}"
SectionEnd
