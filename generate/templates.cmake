# Template sets: locating, checking, listing and filling template files.
add_library(vellumark_templates STATIC templates.cpp)
target_link_libraries(vellumark_templates PUBLIC vellumark_support)
