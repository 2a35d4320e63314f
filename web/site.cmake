# The static site: our own page, its script, style, controls and manifest,
# the program (galaxy.js, galaxy.wasm) and its icons, in one folder that any
# static file server can serve as it is.
set(GALAXY_SITE ${CMAKE_BINARY_DIR}/site)
set(GALAXY_WEB_ICONS ${CMAKE_BINARY_DIR}/app/galaxy-32.png ${CMAKE_BINARY_DIR}/app/galaxy-256.png)
set(page_files index.html galaxy_page.js galaxy.css controls.html galaxy.webmanifest)
list(TRANSFORM page_files PREPEND ${PROJECT_SOURCE_DIR}/web/)
add_custom_target(site ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GALAXY_SITE}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${page_files} ${GALAXY_WEB_ICONS}
          $<TARGET_FILE_DIR:galaxy>/galaxy.js $<TARGET_FILE_DIR:galaxy>/galaxy.wasm ${GALAXY_SITE}
  DEPENDS galaxy galaxy_web_icons ${page_files}
  COMMENT "Assembling the site in ${GALAXY_SITE}")
