# mox_module(NAME DIR dir | DIRS dir... [DEPS lib...]): a static library of every .cpp in the
# folders (not below them). Each subsystem is its own library, so that a test links only what
# it exercises.
function(mox_module name)
  cmake_parse_arguments(M "" "DIR" "DIRS;DEPS" ${ARGN})
  set(srcs)
  foreach(dir ${M_DIR} ${M_DIRS})
    file(GLOB dir_srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND srcs ${dir_srcs})
  endforeach()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_link_libraries(${name} PUBLIC ${M_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${M_DEPS})
  endif()
endfunction()

# mox_test(NAME DIR dir [LIBS lib...] [RESOURCES file.rc...] [OWN_MAIN]): one GoogleTest program
# of every .cpp and .rc in dir, run under Wine by CTest.
function(mox_test name)
  cmake_parse_arguments(T "OWN_MAIN" "DIR" "LIBS;RESOURCES" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${T_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  # A test's own resources (string tables, menus, dialogs) are its folder's .rc files.
  file(GLOB rcs CONFIGURE_DEPENDS ${T_DIR}/*.rc)
  add_executable(${name} ${srcs} ${rcs} ${T_RESOURCES})
  if(T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# mox_heap_test(NAME PROGRAM program FILTER gtest-filter [SERIAL]): runs the program's tests that
# match the filter again under Wine's heap checks, where any heap warning fails the run (for
# objects that go inside their own handlers, re-entrant owners and hostile input). SERIAL when
# the tests read the screen or move the real cursor.
function(mox_heap_test name)
  cmake_parse_arguments(H "SERIAL" "PROGRAM;FILTER" "" ${ARGN})
  add_test(NAME ${name} COMMAND ${H_PROGRAM} --gtest_filter=${H_FILTER})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT WINEDEBUG=warn+heap
                       FAIL_REGULAR_EXPRESSION "err:heap|warn:heap")
  if(H_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()
