# The URL splitter the site generator uses for server names.
add_library(vellumark_uri STATIC uri.cpp)
target_link_libraries(vellumark_uri PUBLIC vellumark_support)
