# Files installed compressed, as Debian installs manual pages and
# changelogs: gzip -9n, with no name or time stamp inside, so the package
# is the same bytes on every build.
include(GNUInstallDirs)

# velkrant_compressed(<target> <file>)
# Makes <file>.gz beside <file> whenever <file> changes, in every build.
function(velkrant_compressed target file)
  add_custom_command(OUTPUT ${file}.gz
    COMMAND gzip -9nkf ${file}
    DEPENDS ${file}
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${file}.gz)
endfunction()

# velkrant_manual_page(<page.1.in>)
# A manual page with the version filled in, installed into section 1.
function(velkrant_manual_page source)
  get_filename_component(page ${source} NAME_WLE)
  configure_file(${source} ${CMAKE_CURRENT_BINARY_DIR}/${page} @ONLY)
  string(MAKE_C_IDENTIFIER ${page} target)
  velkrant_compressed(${target}_manual ${CMAKE_CURRENT_BINARY_DIR}/${page})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
