# The page in headless Chromium, against the Linux build in GALAXY_LINUX_BUILD
# (the release preset's build/): captions, pictures, failures.
set(GALAXY_LINUX_BUILD "" CACHE PATH "The Linux release build the web tests compare with")
add_test(NAME web.page COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/web/web_test.sh
  ${CMAKE_BINARY_DIR}/site ${CMAKE_CURRENT_BINARY_DIR}/web-page ${GALAXY_LINUX_BUILD})
set_tests_properties(web.page PROPERTIES LABELS web TIMEOUT 900 ENVIRONMENT "${GALAXY_SUITE_TAG}"
  FIXTURES_REQUIRED galaxy_processes)

# The generator as wasm, run by Node, against the same tool on the Linux
# build's generator.
add_executable(points_digest web/points_digest.cpp)
target_link_libraries(points_digest PRIVATE Galaxy::model galaxy_warnings)
target_link_options(points_digest PRIVATE -sENVIRONMENT=node -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB)
add_test(NAME web.generator COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/web/generator_test.sh
  $<TARGET_FILE:points_digest> ${CMAKE_CURRENT_BINARY_DIR}/web-generator ${GALAXY_LINUX_BUILD})
set_tests_properties(web.generator PROPERTIES LABELS web TIMEOUT 900 ENVIRONMENT "${GALAXY_SUITE_TAG}"
  FIXTURES_REQUIRED galaxy_processes)
