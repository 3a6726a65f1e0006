# Packages of what `cmake --install` puts in place, made with CPack: on
# Linux a Debian package (`cpack --preset deb`), on Windows an installer
# (`cpack --preset windows`).

set(CPACK_PACKAGE_NAME velkrant)
# All four parts: CPack would keep only three.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${VELKRANT_COMPANY_NAME}")
set(CPACK_PACKAGE_CONTACT "${VELKRANT_COMPANY_NAME} <${VELKRANT_CONTACT_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "download link converter for thunder://, Flashget:// and qqdl:// links")
set(CPACK_PACKAGE_DESCRIPTION "Velkrant converts download links between ordinary addresses and the private
link schemes of three download managers: thunder://, Flashget:// and qqdl://.
The windowed program converts one link or a whole list; velkrant-cli does
the same line by line, for scripts and pipelines.")
set(CPACK_STRIP_FILES ON)

if(UNIX AND NOT APPLE)
  set(CPACK_GENERATOR DEB)
  # velkrant_<version>_<architecture>.deb
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION net)
  # The libraries the two programs link, found by dpkg-shlibdeps.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The toolkit's own texts in Chinese, a font that has the captions, and
  # the toolkit's Wayland platform for a Wayland session without XWayland.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk, qt6-wayland")
  # A Debian revision of its own: the package is made apart from the
  # program's sources, so its changelog is changelog.Debian.gz.
  set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
  set(VELKRANT_DEB_VERSION "${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")

  # The copyright file and the changelog every Debian package carries in
  # its documentation folder.
  include(${PROJECT_SOURCE_DIR}/cmake/Compressed.cmake)
  set(changelog ${CMAKE_BINARY_DIR}/debian/changelog.Debian)
  configure_file(${PROJECT_SOURCE_DIR}/resources/changelog.Debian.in ${changelog} @ONLY)
  velkrant_compressed(velkrant_deb_changelog ${changelog})
  install(FILES ${PROJECT_SOURCE_DIR}/resources/copyright ${changelog}.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
endif()

if(WIN32)
  # An installer made with NSIS (Debian's nsis package): the programs in
  # "Program Files\Velkrant\bin", a Start-menu entry, an uninstaller, and
  # the version in its own version information and in the list of
  # installed programs.
  set(CPACK_GENERATOR NSIS)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Velkrant)
  set(CPACK_NSIS_PACKAGE_NAME Velkrant)
  set(CPACK_NSIS_DISPLAY_NAME Velkrant)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_PACKAGE_EXECUTABLES velkrant Velkrant)
  set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\velkrant.exe")
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/velkrant.ico)
  set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/velkrant.ico)
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
  # The optional component that makes Velkrant open thunder://, Flashget://
  # and qqdl:// links (cmake/nsis/UrlProtocols.nsh): a page to choose it on,
  # its sections, and its undoing, which needs the uninstall key's name.
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Velkrant)
  set(CPACK_NSIS_PAGE_COMPONENTS "!insertmacro MUI_PAGE_COMPONENTS")
  set(CPACK_NSIS_COMPONENT_SECTIONS "
  !define VELKRANT_UNINSTALL_KEY 'Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}'
  !include '${PROJECT_SOURCE_DIR}/cmake/nsis/UrlProtocols.nsh'")
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "Call un.VelkrantUnregisterUrlProtocols")
  set(CPACK_NSIS_DEFINES "
  Target amd64-unicode
  VIProductVersion ${PROJECT_VERSION}
  VIFileVersion ${PROJECT_VERSION}
  VIAddVersionKey /LANG=0 ProductName Velkrant
  VIAddVersionKey /LANG=0 CompanyName '${VELKRANT_COMPANY_NAME}'
  VIAddVersionKey /LANG=0 FileDescription 'Velkrant ${PROJECT_VERSION} Setup'
  VIAddVersionKey /LANG=0 FileVersion ${PROJECT_VERSION}
  VIAddVersionKey /LANG=0 ProductVersion ${PROJECT_VERSION}")
endif()

include(CPack)
