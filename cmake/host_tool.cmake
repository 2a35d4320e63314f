# A small tool for the build machine, built with its own C++ compiler while
# the program itself is cross-built (for Windows, for the browser).
# galaxy_host_tool(OUTPUT_VAR NAME SOURCES ... [HEADERS ...] [LIBS -lfoo ...])
# sets OUTPUT_VAR to the tool's path; sources and headers are in app/.
find_program(GALAXY_HOST_CXX NAMES c++ g++ REQUIRED)
function(galaxy_host_tool output name)
  cmake_parse_arguments(PARSE_ARGV 2 tool "" "" "SOURCES;HEADERS;LIBS")
  set(path ${CMAKE_CURRENT_BINARY_DIR}/${name})
  list(TRANSFORM tool_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/app/)
  list(TRANSFORM tool_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/app/)
  add_custom_command(OUTPUT ${path}
    COMMAND ${GALAXY_HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Wpedantic -I${PROJECT_SOURCE_DIR} ${tool_SOURCES}
            ${tool_LIBS} -o ${path}
    DEPENDS ${tool_SOURCES} ${tool_HEADERS}
    COMMENT "Building ${name} for the build machine")
  set(${output} ${path} PARENT_SCOPE)
endfunction()
