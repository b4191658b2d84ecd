# The pad's sources follow one rule so that adding a file needs no CMake edit:
# in app/, pad/, recognition/, net/ and shell/, a file named *_win32.cpp needs
# Win32 and goes into lanjian_win32; every other .cpp is portable C++ and goes
# into lanjian_core, which also builds natively for the fast tests.
# app/main_win32.cpp holds the program's entry and goes only into the exe.
set(LANJIAN_FOLDERS app pad recognition net shell)
set(core_sources "")
set(win32_sources "")
foreach(folder IN LISTS LANJIAN_FOLDERS)
  file(GLOB found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  foreach(file IN LISTS found)
    if(file MATCHES "_win32\\.cpp$")
      list(APPEND win32_sources "${file}")
    else()
      list(APPEND core_sources "${file}")
    endif()
  endforeach()
endforeach()
list(REMOVE_ITEM win32_sources "${PROJECT_SOURCE_DIR}/app/main_win32.cpp")

add_library(lanjian_core STATIC ${core_sources})
target_include_directories(lanjian_core PUBLIC "${PROJECT_SOURCE_DIR}")
target_compile_definitions(lanjian_core PUBLIC LANJIAN_SERVICE_URL="${LANJIAN_SERVICE_URL}")
find_package(Threads REQUIRED)
target_link_libraries(lanjian_core PUBLIC Threads::Threads)

if(WIN32)
  # Object library: the platform calls that lanjian_core makes are resolved by
  # these objects whichever order the linker meets them in.
  add_library(lanjian_win32 OBJECT ${win32_sources})
  target_link_libraries(lanjian_win32 PUBLIC lanjian_core
      wininet comctl32 gdi32 user32 kernel32 ole32 oleaut32 uuid atl)
  target_compile_definitions(lanjian_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

  add_executable(lanjian-pad WIN32 "${PROJECT_SOURCE_DIR}/app/main_win32.cpp")
  target_link_libraries(lanjian-pad PRIVATE lanjian_win32)
  set_target_properties(lanjian-pad PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}")
endif()
