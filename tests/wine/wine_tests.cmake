# The Windows program end to end under Wine, each script in its own Xvfb with
# openbox and a Wine prefix that it makes and removes. Two small Windows
# programs help: one reports the window as Windows sees it, one measures the
# frame timer. The Linux build beside this one gives the captions and the
# first frame to compare with.
set(GALAXY_LINUX_BUILD "${PROJECT_SOURCE_DIR}/build" CACHE PATH "The Linux build whose viewer and snapshot tool the Wine tests compare with")

add_executable(window_report wine/window_report.cpp)
target_link_libraries(window_report PRIVATE galaxy_warnings)

function(galaxy_wine_test name script timeout)
  add_test(NAME wine.${name}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/wine/${script} $<TARGET_FILE:galaxy> ${CMAKE_CURRENT_BINARY_DIR}/wine-${name}
            $<TARGET_FILE_DIR:window_report> ${GALAXY_LINUX_BUILD} ${ARGN})
  set_tests_properties(wine.${name} PROPERTIES LABELS wine TIMEOUT ${timeout} ENVIRONMENT "${GALAXY_SUITE_TAG}"
    FIXTURES_REQUIRED galaxy_processes)
endfunction()
galaxy_wine_test(viewer viewer_test.sh 600)
galaxy_wine_test(user_settings user_settings_test.sh 180)
galaxy_wine_test(setup_failure setup_failure_test.sh 180)
galaxy_wine_test(frame_rate frame_rate_test.sh 600)
galaxy_wine_test(installer installer_test.sh 300 ${PROJECT_BINARY_DIR})

# A program for the build machine that counts the X server's bells: under
# Wine, a Windows program's beep is one.
find_program(GALAXY_HOST_CXX NAMES c++ g++ REQUIRED)
set(bell_watch ${CMAKE_CURRENT_BINARY_DIR}/bell_watch)
add_custom_command(OUTPUT ${bell_watch}
  COMMAND ${GALAXY_HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Wpedantic ${CMAKE_CURRENT_SOURCE_DIR}/wine/bell_watch.cpp
          -lX11 -o ${bell_watch}
  DEPENDS wine/bell_watch.cpp
  COMMENT "Building the bell counter for the build machine")
add_custom_target(bell_watch_tool ALL DEPENDS ${bell_watch})
galaxy_wine_test(desktop desktop_test.sh 420 ${bell_watch})
galaxy_wine_test(installer_pages installer_pages_test.sh 420 ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
