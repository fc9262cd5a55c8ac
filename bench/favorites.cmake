# vellumark-bench: the favorites walk, Check, Convert and Clean on generated
# trees beside a plain read of the same files.
add_executable(vellumark-bench favorites_bench.cpp)
target_link_libraries(vellumark-bench PRIVATE vellumark_bench_helpers vellumark_runner vellumark_tree_generator)

# vellumark-read-floor: the C floor the process figures are measured against.
if(NOT WIN32)
  enable_language(C)
  add_executable(vellumark-read-floor read_floor.c)
endif()
