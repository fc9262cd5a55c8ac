# The URL splitter and the ASCII form of host names, which the site
# generator uses for server links.
add_library(vellumark_uri STATIC uri.cpp punycode.cpp)
target_link_libraries(vellumark_uri PUBLIC vellumark_support)
