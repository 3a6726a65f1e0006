# Packages of what `cmake --install` puts in place, made with CPack
# (`cpack --preset deb`). On Linux a Debian package; the Windows installer's
# generator and settings belong beside it, under WIN32.

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
  # The toolkit's own texts in Chinese, and a font that has the captions.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
endif()

include(CPack)
