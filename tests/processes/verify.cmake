# Verify against web servers on 127.0.0.1 that the tests start themselves
# (link_server.py); the Windows binaries under Wine reach the same servers.
set(VELLUMARK_LINK_SERVER ${CMAKE_CURRENT_BINARY_DIR}/link_server)
add_test(NAME link_server_start COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/link_server.py start ${VELLUMARK_LINK_SERVER})
add_test(NAME link_server_stop COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/link_server.py stop ${VELLUMARK_LINK_SERVER})
set_tests_properties(link_server_start PROPERTIES FIXTURES_SETUP link_server)
set_tests_properties(link_server_stop PROPERTIES FIXTURES_CLEANUP link_server)
vellumark_add_test(NAME verify_test SOURCES verify_test.cpp LIBRARIES vellumark_cli vellumark_verify
  PROPERTIES FIXTURES_REQUIRED link_server RESOURCE_LOCK link_server TIMEOUT 120)
target_compile_definitions(verify_test PRIVATE VELLUMARK_LINK_SERVER="${VELLUMARK_LINK_SERVER}")
