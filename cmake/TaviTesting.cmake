# GoogleTest for both trees: the system's natively, Debian's sources built
# with the cross compiler for Windows.
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# tavi_add_test(name SOURCES ... LIBS ... [PROPERTIES ...]): one test
# executable whose cases ctest lists when it starts (no Wine run at build
# time); PROPERTIES are further ctest properties of every case.
function(tavi_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  if(WIN32)
    # A crash must fail the test: the Windows main installs an
    # unhandled-exception filter that ends the process with the code.
    target_link_libraries(${name} PRIVATE tavi_test_main_win)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120 ${T_PROPERTIES})
endfunction()
