# Helpers shared by every folder's CMakeLists.txt.

# glowplate_library(<name> [DEPS <targets>...])
# A static library of every .cpp in the calling folder; the folder is its public include
# directory. Sources are globbed so that adding a class needs no build-file edit.
function(glowplate_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC platform_headers ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE platform_headers ${ARG_DEPS})
  endif()
endfunction()

# glowplate_tests(<name> LIBS <targets>...)
# One GoogleTest executable of every .cpp in the calling folder, registered with CTest.
# DISPLAY_LOCK: the tests use the shared X display (they press keys or move the pointer on
# it), so they never run at the same time as other such tests.
function(glowplate_tests name)
  cmake_parse_arguments(ARG "DISPLAY_LOCK" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock Threads::Threads)
  target_compile_definitions(${name} PRIVATE GLOWPLATE_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  # Tests run without a screen unless they ask for one: windows go to the headless backend.
  # The environment comes through env(1) as the tests' launcher, since the discovered tests'
  # ENVIRONMENT property keeps only the first of several variables here.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "env;ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1;GLOWPLATE_BACKEND=headless")
  if(ARG_DISPLAY_LOCK)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES RESOURCE_LOCK display)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# glowplate_system_libraries(<variable>)
# Sets the variable to every library of the system's own folders that exists, highest first,
# for programs (benchmarks, fuzz targets) that may use any of them.
function(glowplate_system_libraries variable)
  set(libs)
  foreach(lib glowplate_app glowplate_editor glowplate_complete glowplate_iap glowplate_globals
      glowplate_render glowplate_ui glowplate_settings glowplate_locale glowplate_support)
    if(TARGET ${lib})
      list(APPEND libs ${lib})
    endif()
  endforeach()
  set(${variable} ${libs} PARENT_SCOPE)
endfunction()
