# GoogleTest from the sources Debian's googletest package installs, built
# with our compiler for both builds.
set(VELLUMARK_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${VELLUMARK_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# vellumark_add_test(NAME name SOURCES ... LIBRARIES ... [PROPERTIES ...])
# Natively every test case is its own ctest entry; under Wine one entry per
# binary, because starting Wine for each case would cost seconds apiece.
# PROPERTIES (ctest test properties) apply to every entry.
function(vellumark_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main vellumark_options)
  target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    if(ARG_PROPERTIES)
      set_tests_properties(${ARG_NAME} PROPERTIES ${ARG_PROPERTIES})
    endif()
  else()
    set(properties)
    if(ARG_PROPERTIES)
      set(properties PROPERTIES ${ARG_PROPERTIES})
    endif()
    gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 60 ${properties})
  endif()
endfunction()
