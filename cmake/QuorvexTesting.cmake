# GoogleTest: the system's on Linux, built from Debian's sources for Windows.
if(QUORVEX_WINDOWS)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QUORVEX_GTEST_LIBS GTest::gtest GTest::gmock)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  set(QUORVEX_GTEST_LIBS GTest::gtest GTest::gmock)
endif()

# One test program per subsystem; tests/fakes holds the fake machine they share.
# ENVIRONMENT: a variable (NAME=value) its tests run with.
function(quorvex_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/test_main.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # Long expected texts and sample inputs are kept as files under tests/data.
  target_compile_definitions(${name} PRIVATE QUORVEX_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} quorvex_fakes ${QUORVEX_GTEST_LIBS})
  quorvex_target_defaults(${name})
  if(QUORVEX_WINDOWS)
    # One ctest entry per program: every wine start costs a second or so.
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  else()
    if(ARG_ENVIRONMENT)
      # One variable: a list does not survive test discovery whole.
      gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    else()
      gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
  endif()
endfunction()
