# Fails when a registered test's name would differ between builds or say nothing: a name with
# GoogleTest's "# GetParam() = ..." value dump, a parameterised row known only by its index
# ("Suite/Fixture.Test/3"), or bytes that are not printable text.
# Usage: cmake -DCTEST=ctest -DBUILD_DIR=<build> -P CheckTestNames.cmake
execute_process(
  COMMAND ${CTEST} --test-dir ${BUILD_DIR} --show-only=json-v1
  OUTPUT_VARIABLE listing
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ctest could not list the tests (${status})")
endif()
string(JSON count LENGTH "${listing}" tests)
if(count EQUAL 0)
  message(FATAL_ERROR "no tests are registered")
endif()
math(EXPR last "${count} - 1")
set(bad "")
foreach(i RANGE ${last})
  string(JSON name GET "${listing}" tests ${i} name)
  if(name MATCHES "#" OR name MATCHES "GetParam" OR name MATCHES "/[0-9]+$"
     OR NOT name MATCHES "^[A-Za-z0-9_./<>:-]+$")
    string(APPEND bad "\n  ${name}")
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "test names that are not stable or not readable:${bad}")
endif()
message(STATUS "${count} test names checked")
