# The optimizer tools' templates and bitmaps, as an object library that Sorvik and the tools' tests link
# (resources in a static library would never reach the program). The bitmap is drawn at build time.
set(_tools_bitmaps ${PROJECT_BINARY_DIR}/resources/sorvik)
add_custom_command(
  OUTPUT ${_tools_bitmaps}/list_header.bmp
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/sorvik/make_list_bitmaps.sh ${_tools_bitmaps}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sorvik/make_list_bitmaps.sh
  COMMENT "Drawing the process list's header bitmap")
add_custom_target(sorvik_tools_bitmaps DEPENDS ${_tools_bitmaps}/list_header.bmp)
add_library(sorvik_tools_resources OBJECT ${CMAKE_CURRENT_SOURCE_DIR}/sorvik/tools_dialogs.rc)
target_include_directories(sorvik_tools_resources PRIVATE ${_tools_bitmaps})
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/sorvik/tools_dialogs.rc PROPERTIES
  OBJECT_DEPENDS ${_tools_bitmaps}/list_header.bmp)
add_dependencies(sorvik_tools_resources sorvik_tools_bitmaps)
