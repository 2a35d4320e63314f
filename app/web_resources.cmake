# In the browser the program is galaxy.js and galaxy.wasm, loaded by the
# page (web/); its icons are made at build time from the window's picture by
# a small tool built for the build machine, as for Windows.
target_link_options(galaxy PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536  # the loop's wait unwinds a few frames
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB  # the galaxy record alone is 24 MB
  -sENVIRONMENT=web -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1)

find_program(GALAXY_HOST_CXX NAMES c++ g++ REQUIRED)
set(icon_tool ${CMAKE_CURRENT_BINARY_DIR}/galaxy-icon-tool)
set(icon_tool_sources icon_export_main.cpp png_writer.cpp main_icon.cpp)
list(TRANSFORM icon_tool_sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
add_custom_command(OUTPUT ${icon_tool}
  COMMAND ${GALAXY_HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Wpedantic -I${PROJECT_SOURCE_DIR} ${icon_tool_sources}
          -lpng -o ${icon_tool}
  DEPENDS ${icon_tool_sources} png_writer.h main_icon.h
  COMMENT "Building the icon tool for the build machine")
set(icons ${CMAKE_CURRENT_BINARY_DIR}/galaxy-32.png ${CMAKE_CURRENT_BINARY_DIR}/galaxy-256.png)
add_custom_command(OUTPUT ${icons} COMMAND ${icon_tool} ${CMAKE_CURRENT_BINARY_DIR} DEPENDS ${icon_tool}
  COMMENT "Writing the page's icons")
add_custom_target(galaxy_web_icons DEPENDS ${icons})
