# Formatting and string helpers, the program's own folder, system colours.
target_sources(vellumark_support PRIVATE formatting.cpp program_folder.cpp)
if(WIN32)
  target_sources(vellumark_support PRIVATE win32/program_folder.cpp win32/system_colors.cpp)
  target_link_libraries(vellumark_support PUBLIC user32 gdi32)
else()
  target_sources(vellumark_support PRIVATE posix/program_folder.cpp)
endif()
