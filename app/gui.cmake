# vellumark.exe, the program with its main window (Windows build only).
if(WIN32)
  enable_language(RC)
  add_library(vellumark_gui_texts STATIC win32/main_window_texts.cpp)
  target_include_directories(vellumark_gui_texts PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(vellumark_gui_texts PUBLIC vellumark_options)

  add_executable(vellumark WIN32
    win32/companion_windows.cpp
    win32/folder_list.cpp
    win32/form_vellumark.cpp
    win32/main.cpp
    win32/output_folder_choice.cpp
    win32/single_instance.cpp
    win32/version_info.cpp
    vellumark.rc
  )
  target_include_directories(vellumark PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(vellumark PRIVATE vellumark_gui_texts vellumark_runner vellumark_forms
    vellumark_form_generate vellumark_controls vellumark_win32_dialogs vellumark_site vellumark_settings
    vellumark_templates vellumark_favorites vellumark_support vellumark_options
    vellumark_version comctl32 ole32 shell32 version user32 gdi32)
  target_link_options(vellumark PRIVATE -municode)
  # The resource script embeds these files; a change to one rebuilds it.
  set(resources vellumark.ico vellumark.manifest forms/vellumark.form win32/control_ids.h)
  list(TRANSFORM resources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  set_source_files_properties(vellumark.rc PROPERTIES OBJECT_DEPENDS "${resources}")
endif()
