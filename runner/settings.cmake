# The settings store over the registry helpers.
add_library(vellumark_settings STATIC settings.cpp)
target_link_libraries(vellumark_settings PUBLIC vellumark_support)
