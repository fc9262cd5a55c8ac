# Text codecs for the HTML the processes write.
add_library(vellumark_codecs STATIC html.cpp utf8.cpp)
target_link_libraries(vellumark_codecs PUBLIC vellumark_support)
