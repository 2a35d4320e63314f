# On Windows the program carries its icon, version and manifest as
# resources, and installs into one folder. The icon file is made at build
# time from the same picture as the window's, by a small tool built for the
# build machine.
include(${PROJECT_SOURCE_DIR}/cmake/host_tool.cmake)
galaxy_host_tool(ico_tool galaxy-ico-tool SOURCES ico_export_main.cpp ico_writer.cpp main_icon.cpp
  HEADERS ico_writer.h main_icon.h)
set(GALAXY_ICO ${CMAKE_CURRENT_BINARY_DIR}/galaxy.ico)
add_custom_command(OUTPUT ${GALAXY_ICO} COMMAND ${ico_tool} ${GALAXY_ICO} DEPENDS ${ico_tool}
  COMMENT "Writing the program's icon")

set(GALAXY_MANIFEST ${CMAKE_CURRENT_SOURCE_DIR}/galaxy.manifest)
configure_file(galaxy.rc.in ${CMAKE_CURRENT_BINARY_DIR}/galaxy.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/galaxy.rc PROPERTIES OBJECT_DEPENDS "${GALAXY_ICO};${GALAXY_MANIFEST}")
target_sources(galaxy PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/galaxy.rc)
set_target_properties(galaxy PROPERTIES WIN32_EXECUTABLE ON)  # a window, no console
install(TARGETS galaxy RUNTIME DESTINATION .)
