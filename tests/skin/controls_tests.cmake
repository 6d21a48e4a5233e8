# Skin files and controls. The test skins are generated into the build tree beside the programs.
set(SKIN_TEST_SKINS ${CMAKE_CURRENT_BINARY_DIR}/test_skins)
add_custom_command(
  OUTPUT ${SKIN_TEST_SKINS}/Sk_sv/ImageRes.ini
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/make_test_skins.sh ${SKIN_TEST_SKINS}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_test_skins.sh ${PROJECT_SOURCE_DIR}/tests/support/skin_images.sh
  COMMENT "Generating the test skins")
add_custom_target(skin_test_skins DEPENDS ${SKIN_TEST_SKINS}/Sk_sv/ImageRes.ini)

set(SKIN_TEST_SUPPORT controls/skin_test_support.cpp)

sorvik_test(skin_files_tests
  SOURCES files/ini_values_test.cpp files/image_list_test.cpp ${SKIN_TEST_SUPPORT}
  LIBS skin_optimizer)
sorvik_test(skin_controls_tests
  SOURCES controls/models_test.cpp controls/render_test.cpp controls/mouse_test.cpp controls/button_look_test.cpp
          ${SKIN_TEST_SUPPORT}
  LIBS skin_optimizer)
sorvik_test(skin_controls_updater_tests
  SOURCES controls/updater_variant_test.cpp controls/button_look_test.cpp ${SKIN_TEST_SUPPORT}
  LIBS skin_updater)
foreach(t skin_files_tests skin_controls_tests skin_controls_updater_tests)
  add_dependencies(${t} skin_test_skins)
endforeach()
# Both control programs move the one shared cursor: never run them side by side.
set_tests_properties(skin_controls_tests skin_controls_updater_tests PROPERTIES RESOURCE_LOCK skin_cursor)
