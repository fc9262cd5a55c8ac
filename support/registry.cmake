# Registry helpers: the system registry on Windows, the per-user settings
# file elsewhere. The typed reads and writes over each platform's raw
# values are shared.
target_sources(vellumark_support PRIVATE registry_values.cpp)
if(WIN32)
  target_sources(vellumark_support PRIVATE win32/registry.cpp)
  target_link_libraries(vellumark_support PUBLIC advapi32)
else()
  target_sources(vellumark_support PRIVATE posix/registry.cpp posix/settings_format.cpp)
endif()
