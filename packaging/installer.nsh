; Included at the top of the Windows installer's script: the product's name
; and version at the foot of every page, the welcome page's text, and the
; check for the oldest Windows Galaxy runs on, 10 version 1607 (build 14393,
; the first with GetDpiForWindow). On an older Windows the installer says so
; and stops before it installs anything, silent or not.
!include WinVer.nsh
!include LogicLib.nsh

BrandingText "Galaxy ${GALAXY_VERSION}"

!define MUI_WELCOMEPAGE_TEXT "This will install Galaxy ${GALAXY_VERSION}, a procedural spiral galaxy of glowing points, turning in 3D. Galaxy needs 64-bit Windows 10 version 1607 or later. Click Next to continue."

Function CheckWindowsVersion
  ${IfNot} ${AtLeastWin10}
  ${OrIfNot} ${AtLeastBuild} 14393
    MessageBox MB_OK|MB_ICONSTOP "Galaxy needs Windows 10 version 1607 or later." /SD IDOK
    RMDir "$INSTDIR"  ; a silent install has made the folder, empty, before it gets here
    Quit
  ${EndIf}
FunctionEnd
!define MUI_CUSTOMFUNCTION_GUIINIT CheckWindowsVersion
