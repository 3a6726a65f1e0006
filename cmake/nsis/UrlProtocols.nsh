; The installer's optional component that makes Velkrant open thunder://,
; Flashget:// and qqdl:// links: the three URL protocols registered for the
; current user (HKCU\Software\Classes, no administrator rights needed),
; each running the installed velkrant.exe with the link as its argument.
; It is off by default; a silent install takes it with /LINKS.
;
; What it wrote is remembered in the installer's own uninstall key, so that
; the uninstaller takes away exactly that: a protocol key it created goes,
; a handler it replaced gets its command back, and a protocol that another
; program has claimed since is left alone.
;
; Needs VELKRANT_UNINSTALL_KEY (the uninstall key under SHCTX) defined
; before it is included.

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"

!define VELKRANT_CLASSES "Software\Classes"

; Registers protocol SCHEME. The command is compared as a whole later, so
; it is built in one place.
!macro VelkrantRegisterUrlProtocol SCHEME
  StrCpy $1 '"$INSTDIR\bin\velkrant.exe" "%1"'
  ReadRegStr $2 HKCU "${VELKRANT_CLASSES}\${SCHEME}\shell\open\command" ""
  ${If} $2 == ""
    ; Nobody handles it: the whole key is ours.
    WriteRegStr HKCU "${VELKRANT_CLASSES}\${SCHEME}" "" "URL:${SCHEME} Protocol"
    WriteRegStr HKCU "${VELKRANT_CLASSES}\${SCHEME}" "URL Protocol" ""
    WriteRegStr HKCU "${VELKRANT_CLASSES}\${SCHEME}\DefaultIcon" "" '"$INSTDIR\bin\velkrant.exe",0'
    WriteRegStr SHCTX "${VELKRANT_UNINSTALL_KEY}" "UrlProtocolCreated_${SCHEME}" "1"
  ${ElseIf} $2 != $1
    ; Another program's handler: only its command changes, and the old one
    ; is kept to be given back.
    WriteRegStr SHCTX "${VELKRANT_UNINSTALL_KEY}" "UrlProtocolReplaced_${SCHEME}" $2
  ${EndIf}
  WriteRegStr HKCU "${VELKRANT_CLASSES}\${SCHEME}\shell\open\command" "" $1
  WriteRegStr SHCTX "${VELKRANT_UNINSTALL_KEY}" "UrlProtocolCommand_${SCHEME}" $1
!macroend

; Undoes what VelkrantRegisterUrlProtocol remembered for SCHEME, as long as
; the protocol still runs the command it wrote.
!macro VelkrantUnregisterUrlProtocol SCHEME
  ReadRegStr $1 SHCTX "${VELKRANT_UNINSTALL_KEY}" "UrlProtocolCommand_${SCHEME}"
  ReadRegStr $2 HKCU "${VELKRANT_CLASSES}\${SCHEME}\shell\open\command" ""
  ReadRegStr $3 SHCTX "${VELKRANT_UNINSTALL_KEY}" "UrlProtocolCreated_${SCHEME}"
  ReadRegStr $4 SHCTX "${VELKRANT_UNINSTALL_KEY}" "UrlProtocolReplaced_${SCHEME}"
  ${If} $1 != ""
  ${AndIf} $2 == $1
    ${If} $3 == "1"
      DeleteRegKey HKCU "${VELKRANT_CLASSES}\${SCHEME}"
    ${ElseIf} $4 != ""
      WriteRegStr HKCU "${VELKRANT_CLASSES}\${SCHEME}\shell\open\command" "" $4
    ${EndIf}
  ${EndIf}
!macroend

Section /o "用 Velkrant 打开 thunder://、Flashget://、qqdl:// 链接" SecVelkrantLinks
  ; The work is done below, where a silent install's /LINKS counts too.
SectionEnd

Section "-Velkrant URL protocols"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LINKS" $1
  ${If} ${Errors}
  ${AndIfNot} ${SectionIsSelected} ${SecVelkrantLinks}
    Return
  ${EndIf}
  !insertmacro VelkrantRegisterUrlProtocol "thunder"
  !insertmacro VelkrantRegisterUrlProtocol "Flashget"
  !insertmacro VelkrantRegisterUrlProtocol "qqdl"
SectionEnd

Function un.VelkrantUnregisterUrlProtocols
  !insertmacro VelkrantUnregisterUrlProtocol "thunder"
  !insertmacro VelkrantUnregisterUrlProtocol "Flashget"
  !insertmacro VelkrantUnregisterUrlProtocol "qqdl"
FunctionEnd
