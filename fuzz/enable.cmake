# The fuzz targets, in a clang build with VELLUMARK_FUZZ on (and, as
# scripts/fuzz configures it, VELLUMARK_SANITIZE on, whose runtime the
# instrumented libraries then need in every program).
option(VELLUMARK_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(VELLUMARK_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR} ${CMAKE_BINARY_DIR}/fuzz)
elseif(VELLUMARK_FUZZ)
  message(WARNING "VELLUMARK_FUZZ needs clang; no fuzz targets are built")
endif()
