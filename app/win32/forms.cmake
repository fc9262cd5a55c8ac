# The loading and About windows (Windows build only).
add_library(vellumark_forms STATIC
  ${CMAKE_CURRENT_LIST_DIR}/form_about.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_loading.cpp
)
target_include_directories(vellumark_forms PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vellumark_forms PUBLIC vellumark_controls vellumark_support vellumark_options
  comctl32 shell32 user32 gdi32)
