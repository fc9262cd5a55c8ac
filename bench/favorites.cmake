# vellumark-bench: the favorites walk, Check, Convert and Clean on generated
# trees beside a plain read of the same files and, on Linux, beside the C
# floor (vellumark-read-floor prints that floor for any tree).
add_executable(vellumark-bench favorites_bench.cpp)
target_link_libraries(vellumark-bench PRIVATE vellumark_bench_helpers vellumark_runner vellumark_tree_generator)
if(NOT WIN32)
  enable_language(C)
  add_library(vellumark_read_floor STATIC read_floor.c)
  target_include_directories(vellumark_read_floor PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(vellumark-bench PRIVATE vellumark_read_floor)
  add_executable(vellumark-read-floor read_floor_main.c)
  target_link_libraries(vellumark-read-floor PRIVATE vellumark_read_floor)
endif()
