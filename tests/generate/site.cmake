vellumark_add_test(NAME site_test SOURCES site_test.cpp generate_options_test.cpp
                   LIBRARIES vellumark_runner vellumark_site)
vellumark_add_test(NAME whole_site_test SOURCES whole_site_test.cpp ${PROJECT_SOURCE_DIR}/tests/reliability/html_checker.cpp
                   ${PROJECT_SOURCE_DIR}/tests/processes/netscape_reader.cpp
                   LIBRARIES vellumark_runner vellumark_site vellumark_tree_generator)
target_compile_definitions(whole_site_test PRIVATE VELLUMARK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
if(WIN32)
  # Both keep and change the program's own key of the test prefix's registry.
  set_tests_properties(site_test whole_site_test PROPERTIES RESOURCE_LOCK vellumark_settings_key)
endif()
