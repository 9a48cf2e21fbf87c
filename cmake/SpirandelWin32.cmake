# The Windows resources (pages, cursor, title, manifest, res/), which the .scr, the helper
# program of the end-to-end tests and the resource tests each compile in.
enable_language(RC)

# The resource ids (res/resource.h, included as "resource.h"), for the code that loads them.
add_library(spirandel_win32_resource_ids INTERFACE)
target_include_directories(spirandel_win32_resource_ids INTERFACE ${PROJECT_SOURCE_DIR}/res)

# spirandel_win32_resources(TARGET): the resources go into every Windows program that shows a
# window or a page, the tests included.
function(spirandel_win32_resources target)
  set(rc ${PROJECT_SOURCE_DIR}/res/spirandel.rc)
  target_sources(${target} PRIVATE ${rc})
  target_link_libraries(${target} PRIVATE spirandel_win32_resource_ids)
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS
    "${PROJECT_SOURCE_DIR}/res/resource.h;${PROJECT_SOURCE_DIR}/res/invisible.cur;${PROJECT_SOURCE_DIR}/res/spirandel.manifest")
endfunction()
