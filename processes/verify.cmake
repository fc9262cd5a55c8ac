# Verify: web addresses, link checking and judging, and the process.
add_library(vellumark_verify STATIC link_checker.cpp link_verdict.cpp verify_process.cpp web_address.cpp)
target_link_libraries(vellumark_verify PUBLIC vellumark_processes vellumark_uri vellumark_http)
target_link_libraries(vellumark_verify PRIVATE vellumark_version)
