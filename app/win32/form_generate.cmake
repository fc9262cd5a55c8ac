# The Generate options dialog (Windows build only).
add_library(vellumark_form_generate STATIC ${CMAKE_CURRENT_LIST_DIR}/form_generate.cpp)
target_include_directories(vellumark_form_generate PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vellumark_form_generate PUBLIC vellumark_runner vellumark_site vellumark_settings
  vellumark_templates vellumark_controls vellumark_win32_dialogs vellumark_support vellumark_options user32 gdi32)
