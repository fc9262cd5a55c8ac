# vellumark-verify-bench: links checked per second against slow loopback
# servers (tests/processes/link_server.py).
add_executable(vellumark-verify-bench verify_bench.cpp)
target_link_libraries(vellumark-verify-bench PRIVATE vellumark_bench_helpers vellumark_verify)
target_compile_definitions(vellumark-verify-bench PRIVATE
  VELLUMARK_LINK_SERVER_SCRIPT="${PROJECT_SOURCE_DIR}/tests/processes/link_server.py")
