# What the benchmark programs share: timing, the plain read, a silent host
# and generated trees.
add_library(vellumark_bench_helpers STATIC bench_helpers.cpp)
target_include_directories(vellumark_bench_helpers PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vellumark_bench_helpers PUBLIC vellumark_runner vellumark_tree_generator)
