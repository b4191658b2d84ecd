# libFuzzer targets: tests/fuzz/<name>_fuzz.cpp, built with clang when
# LANJIAN_FUZZ is on (preset "fuzz"). Each links the pad's portable code and,
# when the service's portable library exists, that too.
file(GLOB fuzz_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp")
foreach(source IN LISTS fuzz_sources)
  get_filename_component(name "${source}" NAME_WE)
  add_executable(${name} "${source}")
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE lanjian_core)
  if(TARGET lanjian_service_core)
    target_link_libraries(${name} PRIVATE lanjian_service_core)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/fuzz")
endforeach()
