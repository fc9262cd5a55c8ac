# The site generator (Generate and Statistics) and the Generate options
# rules.
add_library(vellumark_site STATIC
  generate_options.cpp
  new_rule.cpp
  page_names.cpp
  site_generator.cpp
  site_resources.cpp
  site_templates.cpp
)
target_link_libraries(vellumark_site PUBLIC
  vellumark_templates vellumark_processes vellumark_uri vellumark_support)

# The template sets shipped in Templates/ are copied beside each program
# that generates sites, so Generate works from the build folder.
function(vellumark_ship_templates target)
  file(GLOB_RECURSE shipped CONFIGURE_DEPENDS LIST_DIRECTORIES false ${PROJECT_SOURCE_DIR}/Templates/*)
  list(FILTER shipped EXCLUDE REGEX "/\\.gitattributes$")
  set(stamp ${CMAKE_BINARY_DIR}/generate/${target}-templates.stamp)
  set(commands)
  foreach(file IN LISTS shipped)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${file})
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} $<TARGET_FILE_DIR:${target}>/${relative})
  endforeach()
  add_custom_command(OUTPUT ${stamp}
    ${commands}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${shipped}
    COMMENT "Template sets beside ${target}"
    VERBATIM)
  add_custom_target(${target}-templates DEPENDS ${stamp})
  add_dependencies(${target} ${target}-templates)
endfunction()

# Runs once every target of the tree is known.
function(vellumark_ship_templates_beside_programs)
  foreach(program IN ITEMS vellumark-cli vellumark)
    if(TARGET ${program})
      vellumark_ship_templates(${program})
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL vellumark_ship_templates_beside_programs)
