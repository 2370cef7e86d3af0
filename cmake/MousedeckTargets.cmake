# mousedeck_library(<name> [SOURCES ...] [DEPS ...])
#   One static library per source folder. Without SOURCES it takes every *.cpp of
#   the calling folder. Headers are included as "<folder>/<file>.h" from src/.
function(mousedeck_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE mousedeck_flags)
endfunction()

# mousedeck_test(<name> [SOURCES ...] DEPS ... [LABELS ...])
#   One GoogleTest executable; without SOURCES it takes every *_test.cpp of the
#   calling folder. Tests run with a private HOME and XDG folders (see
#   tests/support) and find the product data beside the executable.
function(mousedeck_test name)
  if(NOT MOUSEDECK_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} mousedeck_test_support
                        GTest::gmock GTest::gtest_main mousedeck_flags)
  add_dependencies(${name} mousedeck_data)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${name};${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT})
endfunction()

# mousedeck_bench(<name> SOURCES ... DEPS ...): a benchmark program, never a test.
function(mousedeck_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} mousedeck_flags)
  add_dependencies(${name} mousedeck_data)
endfunction()
