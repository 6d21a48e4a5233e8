# sorvik_tools_test(<name> SOURCES <files...>): a test program of an optimizer tool, with the tools' test
# main and helpers, the dialog templates it shows, and the test skin drawn at build time beside it (its
# folder is the "program folder" the tools load "Sk_sv" from).
set(SORVIK_TOOLS_TEST_SUPPORT ${CMAKE_CURRENT_LIST_DIR})
function(sorvik_tools_test name)
  cmake_parse_arguments(T "" "" "SOURCES" ${ARGN})
  set(skin ${CMAKE_CURRENT_BINARY_DIR}/Sk_sv/win_bg.png)
  add_custom_command(
    OUTPUT ${skin}
    COMMAND bash ${SORVIK_TOOLS_TEST_SUPPORT}/make_tools_skins.sh ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS ${SORVIK_TOOLS_TEST_SUPPORT}/make_tools_skins.sh ${PROJECT_SOURCE_DIR}/tests/skin/make_window_skins.sh
            ${PROJECT_SOURCE_DIR}/tests/support/skin_images.sh
    COMMENT "Drawing the test skin of ${name}")
  add_custom_target(${name}_skin DEPENDS ${skin})
  sorvik_test(${name} MAIN
    SOURCES ${T_SOURCES}
      ${SORVIK_TOOLS_TEST_SUPPORT}/tools_tests_main.cpp
      ${SORVIK_TOOLS_TEST_SUPPORT}/tools_test_support.cpp
      ${PROJECT_SOURCE_DIR}/resources/skin_dialogs.rc
    LIBS optimizer_tools skin_optimizer sorvik_tools_resources)
  add_dependencies(${name} ${name}_skin)
  # It moves the real cursor, which hover and tooltip tests of other programs read.
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK skin_cursor)
endfunction()
