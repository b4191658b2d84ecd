# Test programs.
#   tests/native/*_test.cpp  portable logic against the fake platform (tests/fakes);
#                            built natively and, in the Windows tree, run under Wine too.
#   tests/windows/*_test.cpp Win32 behaviour against the real platform (Windows tree only).
#   tests/tools/*.cpp        small Win32 programs the end-to-end tests use (Windows tree only).
if(WIN32)
  if(EXISTS /usr/src/googletest/CMakeLists.txt)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    # GoogleTest's own sources are not ours to keep warning-free.
    target_compile_options(gtest PRIVATE -w)
    target_compile_options(gtest_main PRIVATE -w)
    set(gtest_targets gtest gtest_main)
  else()
    find_package(GTest)
    if(NOT GTest_FOUND)
      message(STATUS "GoogleTest not found: test programs are not built")
      return()
    endif()
    set(gtest_targets GTest::gtest GTest::gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
  set(gtest_targets GTest::gtest GTest::gtest_main)
endif()

file(GLOB unit_test_sources CONFIGURE_DEPENDS
     "${PROJECT_SOURCE_DIR}/tests/native/*.cpp" "${PROJECT_SOURCE_DIR}/tests/fakes/*.cpp")
add_executable(unit_tests ${unit_test_sources})
target_link_libraries(unit_tests PRIVATE lanjian_core ${gtest_targets})
target_include_directories(unit_tests PRIVATE "${PROJECT_SOURCE_DIR}")
set_target_properties(unit_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
if(WIN32)
  # Under Wine, on a private display, with the GBK code page.
  set(wine_run python3 -m tests.harness.run_windows)
  add_test(NAME unit_tests COMMAND ${wine_run} $<TARGET_FILE:unit_tests> WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
else()
  add_test(NAME unit_tests COMMAND unit_tests)
  set_tests_properties(unit_tests PROPERTIES LABELS "sanitize")
endif()

if(WIN32)
  file(GLOB win_test_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/windows/*.cpp")
  if(win_test_sources)
    add_executable(win_tests ${win_test_sources})
    # ws2_32: the loopback HTTP server of the net tests.
    target_link_libraries(win_tests PRIVATE lanjian_win32 ws2_32 ${gtest_targets})
    target_include_directories(win_tests PRIVATE "${PROJECT_SOURCE_DIR}")
    set_target_properties(win_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    add_test(NAME win_tests COMMAND ${wine_run} $<TARGET_FILE:win_tests> WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}")
  endif()

  file(GLOB tool_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/tools/*.cpp")
  foreach(tool IN LISTS tool_sources)
    get_filename_component(name "${tool}" NAME_WE)
    add_executable(${name} "${tool}")
    target_link_libraries(${name} PRIVATE user32 gdi32 kernel32 comctl32)
    target_compile_definitions(${name} PRIVATE NOMINMAX _WIN32_WINNT=0x0601)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  endforeach()
endif()
