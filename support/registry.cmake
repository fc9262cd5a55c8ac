# Registry helpers: the system registry on Windows, the per-user settings
# file elsewhere.
if(WIN32)
  target_sources(vellumark_support PRIVATE win32/registry.cpp)
  target_link_libraries(vellumark_support PUBLIC advapi32)
else()
  target_sources(vellumark_support PRIVATE posix/registry.cpp)
endif()
