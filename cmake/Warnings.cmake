# Compiler settings shared by every target of ours (third-party code is
# built without them).
add_library(vellumark_options INTERFACE)
target_compile_options(vellumark_options INTERFACE -Wall -Wextra)
if(VELLUMARK_WERROR)
  target_compile_options(vellumark_options INTERFACE -Werror)
endif()
# GCC 12 (native and mingw-w64) reports -Wrestrict inside libstdc++'s own
# string concatenation when it inlines it at -O3: a false positive of that
# compiler that made Release builds fail. Only this one warning is off, and
# only for GCC 12.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(vellumark_options INTERFACE -Wno-restrict)
endif()
if(WIN32)
  target_compile_definitions(vellumark_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_compile_options(vellumark_options INTERFACE -Wa,-mbig-obj)
  target_link_options(vellumark_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()
if(VELLUMARK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
