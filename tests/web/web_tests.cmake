# The page in headless Chromium, against the Linux build in GALAXY_LINUX_BUILD
# (the release preset's build/): captions, pictures, failures.
set(GALAXY_LINUX_BUILD "" CACHE PATH "The Linux release build the web tests compare with")
add_test(NAME web.page COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/web/web_test.sh
  ${CMAKE_BINARY_DIR}/site ${CMAKE_CURRENT_BINARY_DIR}/web-page ${GALAXY_LINUX_BUILD})
set_tests_properties(web.page PROPERTIES LABELS web TIMEOUT 900 ENVIRONMENT "${GALAXY_SUITE_TAG}"
  FIXTURES_REQUIRED galaxy_processes)
