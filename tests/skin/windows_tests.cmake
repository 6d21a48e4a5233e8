# Window layer, skinned windows, message box and web pane, against real Wine windows. The test skins
# are drawn at build time next to the test program (its folder is the "program folder").
set(_skin_win_dir ${CMAKE_CURRENT_BINARY_DIR}/windows)
add_custom_command(
  OUTPUT ${_skin_win_dir}/Sk_sv/VarnioTip.ini ${_skin_win_dir}/frame_skin/mainform.ini
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/make_window_skins.sh ${_skin_win_dir}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_window_skins.sh ${PROJECT_SOURCE_DIR}/tests/support/skin_images.sh
  COMMENT "Drawing the window tests' skins")
add_custom_target(skin_window_test_skins DEPENDS ${_skin_win_dir}/Sk_sv/VarnioTip.ini)

sorvik_test(skin_windows_tests MAIN
  SOURCES
    window_tests_main.cpp
    window/window_layer_test.cpp
    skinned_window/window_base_test.cpp
    skinned_window/frame_layout_test.cpp
    skinned_window/draw_window_test.cpp
    message_box/message_box_test.cpp
    web_pane/browser_test.cpp
    window_test_dialogs.rc
    ${CMAKE_SOURCE_DIR}/resources/skin_dialogs.rc
  LIBS skin_optimizer)
set_target_properties(skin_windows_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${_skin_win_dir})
target_include_directories(skin_windows_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_dependencies(skin_windows_tests skin_window_test_skins)
# The window tests read the cursor that the control tests move: never side by side with them.
set_tests_properties(skin_windows_tests PROPERTIES RESOURCE_LOCK skin_cursor)
