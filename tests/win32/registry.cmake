vellumark_add_test(NAME registry_wine_test SOURCES registry_wine_test.cpp LIBRARIES vellumark_runner advapi32)
# Shares the program's own key of the test prefix's registry.
set_tests_properties(registry_wine_test PROPERTIES RESOURCE_LOCK vellumark_settings_key)
