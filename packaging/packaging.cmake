# What goes into an installation beyond the programs and the desktop files:
# the manual pages and the package's documents; and the Debian package that
# CPack makes of it all (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

# Manual pages, compressed as Debian wants them (gzip -n: no name or time,
# so the same page gives the same bytes).
set(GALAXY_MAN_PAGES galaxy.6 galaxy-snapshot.1)
foreach(page IN LISTS GALAXY_MAN_PAGES)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${page})
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${page})
  set(packed ${PROJECT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND gzip -9nc ${source} > ${packed}
    DEPENDS ${source}
    COMMENT "Compressing the manual page ${page}")
  list(APPEND GALAXY_PACKED_PAGES ${packed})
  install(FILES ${packed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()

set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_target(galaxy_documents ALL DEPENDS ${GALAXY_PACKED_PAGES} ${changelog})
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/galaxy)
install(FILES ${changelog} ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${docdir})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME galaxy)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Galaxy maintainers <maintainers@users.noreply.c-seed-e40b9464.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "procedural spiral galaxy of glowing points, turning in 3D")
# CPack puts the summary on the first line itself; this is the long part.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Galaxy builds a spiral galaxy procedurally as a cloud of points and shows it
in one OpenGL window: large, faint, smoothed dots on black, added up where
they overlap, so dense regions glow. The view turns about three axes and
drifts towards or away from you; keys and the mouse wheel steer the motion,
change the generator's parameters and load eight presets.
.
The package also holds galaxy-snapshot, which renders the same pictures to
PNG files without a display.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${GALAXY_HOMEPAGE})
# Depends comes from the libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Mesa's OpenGL driver draws where no other vendor's does; the title bar on
# Wayland desktops that draw none comes from libdecor's plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri, libdecor-0-plugin-1-cairo")
# SDL shows its message boxes on Wayland through zenity.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "zenity")
set(CPACK_STRIP_FILES ON)
# Directories 755, files 644 and programs 755, whatever the build's umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
