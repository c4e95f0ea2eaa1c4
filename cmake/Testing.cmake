# GoogleTest from Debian's sources, built with our compiler for either target.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

if(CMAKE_CROSSCOMPILING AND WIN32)
  # One persistent Wine server for the whole run, started before the first test and stopped
  # after the last (see scripts/wine-server.sh).
  add_test(NAME wine.start COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-server.sh start)
  add_test(NAME wine.stop COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-server.sh stop)
  set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# zicha_add_test(name LABEL label SOURCES ... LIBS ...)
# Natively every GoogleTest case becomes one CTest test. Under Wine a listing step would start the
# Wine server from inside CTest, so there each binary is one CTest test instead.
function(zicha_add_test name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  zicha_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABEL}" FIXTURES_REQUIRED wine)
  else()
    gtest_discover_tests(${name} PROPERTIES LABELS "${T_LABEL}" DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
