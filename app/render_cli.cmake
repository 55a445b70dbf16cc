# The command-line renderer: RenderBackground for scripts, no window toolkit.
if(TARGET quillory-renderer)
  add_library(quillory-render-cli STATIC
    ${CMAKE_CURRENT_LIST_DIR}/atomic_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render_cli.cpp)
  target_include_directories(quillory-render-cli PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(quillory-render-cli PUBLIC quillory-renderer)

  add_executable(quillory-render ${CMAKE_CURRENT_LIST_DIR}/render_cli_main.cpp)
  target_link_libraries(quillory-render PRIVATE quillory-render-cli quillory-large-allocations)
  add_dependencies(quillory-render quillory-engine)
endif()
