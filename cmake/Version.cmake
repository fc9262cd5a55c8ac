# The version header; targets that show the version link vellumark_version.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/vellumark_version.h @ONLY)
add_library(vellumark_version INTERFACE)
target_include_directories(vellumark_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
