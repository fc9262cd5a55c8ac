vellumark_add_test(NAME settings_test SOURCES settings_test.cpp LIBRARIES vellumark_runner)
if(WIN32)
  # Shares the program's own key of the test prefix's registry.
  set_tests_properties(settings_test PROPERTIES RESOURCE_LOCK vellumark_settings_key)
endif()
