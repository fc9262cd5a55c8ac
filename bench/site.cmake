# vellumark-site-bench: Generate and Statistics on a generated tree beside a
# plain read of the same files.
add_executable(vellumark-site-bench site_bench.cpp)
target_link_libraries(vellumark-site-bench PRIVATE vellumark_bench_helpers vellumark_runner vellumark_site vellumark_tree_generator)
vellumark_ship_templates(vellumark-site-bench)
