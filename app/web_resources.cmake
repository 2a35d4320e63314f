# In the browser the program is galaxy.js and galaxy.wasm, loaded by the
# page (web/); its icons are made at build time from the window's picture by
# a small tool built for the build machine, as for Windows.
target_link_options(galaxy PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536  # the loop's wait unwinds a few frames
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB  # the galaxy record alone is 24 MB
  -sENVIRONMENT=web -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1)

include(${PROJECT_SOURCE_DIR}/cmake/host_tool.cmake)
galaxy_host_tool(icon_tool galaxy-icon-tool SOURCES icon_export_main.cpp png_writer.cpp main_icon.cpp
  HEADERS png_writer.h main_icon.h LIBS -lpng)
set(icons ${CMAKE_CURRENT_BINARY_DIR}/galaxy-32.png ${CMAKE_CURRENT_BINARY_DIR}/galaxy-256.png)
add_custom_command(OUTPUT ${icons} COMMAND ${icon_tool} ${CMAKE_CURRENT_BINARY_DIR} DEPENDS ${icon_tool}
  COMMENT "Writing the page's icons")
add_custom_target(galaxy_web_icons DEPENDS ${icons})
