# net_bench.exe: the cost of one HttpFetch round trip on loopback next to a
# bare WinINet request (Windows tree only; run it under Wine with the harness).
if(WIN32 AND NOT LANJIAN_FUZZ)
  add_executable(net_bench "${PROJECT_SOURCE_DIR}/net/bench/http_fetch_bench.cpp"
                           "${PROJECT_SOURCE_DIR}/tests/windows/net_test_server.cpp")
  target_link_libraries(net_bench PRIVATE lanjian_win32 ws2_32)
  target_include_directories(net_bench PRIVATE "${PROJECT_SOURCE_DIR}")
  set_target_properties(net_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
endif()
