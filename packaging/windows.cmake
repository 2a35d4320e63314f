# What the Windows program ships as: an installer (CPack's NSIS generator,
# a 64-bit installer for a 64-bit program) that puts it into Program Files
# with a Start-menu shortcut and registers its uninstaller under Add/Remove
# Programs, and a portable zip. `cpack` in build-windows makes
# galaxy-<version>-win64.exe and galaxy-<version>-win64.zip. Both carry the
# licence, which the installer also shows on a page of its own.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(GALAXY_ICO ${PROJECT_BINARY_DIR}/app/galaxy.ico)
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Galaxy)
set(CPACK_PACKAGE_VENDOR "Galaxy developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A procedural spiral galaxy of glowing points, turning in 3D")
set(CPACK_PACKAGE_FILE_NAME galaxy-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Galaxy)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Galaxy)
# The Start-menu shortcut: galaxy.exe, named Galaxy, in the installation's top folder.
set(CPACK_PACKAGE_EXECUTABLES galaxy Galaxy)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Galaxy)
set(CPACK_NSIS_DISPLAY_NAME Galaxy)
set(CPACK_NSIS_MUI_ICON ${GALAXY_ICO})
set(CPACK_NSIS_MUI_UNIICON ${GALAXY_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME galaxy.exe)  # the icon Add/Remove Programs shows
set(CPACK_NSIS_URL_INFO_ABOUT ${GALAXY_HOMEPAGE})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)

# As the product looks: its licence, pictures of the galaxy on the welcome
# and finish pages and in the header (made by make-installer-pictures.sh),
# and its name and version at the foot of every page (installer.nsh).
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_MUI_HEADERIMAGE ${PROJECT_SOURCE_DIR}/packaging/installer-header.bmp)
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${PROJECT_SOURCE_DIR}/packaging/installer-welcome.bmp)
set(CPACK_NSIS_MUI_UNWELCOMEFINISHPAGE_BITMAP ${PROJECT_SOURCE_DIR}/packaging/installer-welcome.bmp)

# The welcome page names the oldest Windows it runs on, and the installer
# checks it (installer.nsh).
set(CPACK_NSIS_DEFINES "Target amd64-unicode
!define GALAXY_VERSION ${PROJECT_VERSION}
!include ${PROJECT_SOURCE_DIR}/packaging/installer.nsh")
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "Call CheckWindowsVersion")
include(CPack)
