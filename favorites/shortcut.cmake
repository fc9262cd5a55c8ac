# Internet shortcut files: text forms, the INI reader and rewriter, UTF-7.
add_library(vellumark_shortcut STATIC
  ini_file.cpp
  internet_shortcut.cpp
  shortcut_text.cpp
  utf7.cpp
)
target_link_libraries(vellumark_shortcut PUBLIC vellumark_support)
