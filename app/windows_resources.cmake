# On Windows the program carries its icon, version and manifest as
# resources, and installs into one folder. The icon file is made at build
# time from the same picture as the window's, by a small tool built for the
# build machine.
find_program(GALAXY_HOST_CXX NAMES c++ g++ REQUIRED)
set(ico_tool ${CMAKE_CURRENT_BINARY_DIR}/galaxy-ico-tool)
set(ico_tool_sources ico_export_main.cpp ico_writer.cpp main_icon.cpp)
list(TRANSFORM ico_tool_sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
add_custom_command(OUTPUT ${ico_tool}
  COMMAND ${GALAXY_HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Wpedantic -I${PROJECT_SOURCE_DIR} ${ico_tool_sources}
          -o ${ico_tool}
  DEPENDS ${ico_tool_sources} ico_writer.h main_icon.h
  COMMENT "Building the icon tool for the build machine")
set(GALAXY_ICO ${CMAKE_CURRENT_BINARY_DIR}/galaxy.ico)
add_custom_command(OUTPUT ${GALAXY_ICO} COMMAND ${ico_tool} ${GALAXY_ICO} DEPENDS ${ico_tool}
  COMMENT "Writing the program's icon")

set(GALAXY_MANIFEST ${CMAKE_CURRENT_SOURCE_DIR}/galaxy.manifest)
configure_file(galaxy.rc.in ${CMAKE_CURRENT_BINARY_DIR}/galaxy.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/galaxy.rc PROPERTIES OBJECT_DEPENDS "${GALAXY_ICO};${GALAXY_MANIFEST}")
target_sources(galaxy PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/galaxy.rc)
set_target_properties(galaxy PROPERTIES WIN32_EXECUTABLE ON)  # a window, no console
install(TARGETS galaxy RUNTIME DESTINATION .)
