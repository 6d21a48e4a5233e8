# Libraries built by scripts/setup.sh into .deps/ with the same toolchain.
set(SORVIK_DEPS_DIR "${CMAKE_SOURCE_DIR}/.deps/${CMAKE_SYSTEM_PROCESSOR}" CACHE PATH "Third-party libraries built by scripts/setup.sh")

foreach(lib curl tinyxml gtest)
  if(NOT EXISTS "${SORVIK_DEPS_DIR}/${lib}/lib")
    message(FATAL_ERROR "${lib} is missing from ${SORVIK_DEPS_DIR}: run scripts/setup.sh first")
  endif()
endforeach()

add_library(deps_curl STATIC IMPORTED GLOBAL)
set_target_properties(deps_curl PROPERTIES
  IMPORTED_LOCATION "${SORVIK_DEPS_DIR}/curl/lib/libcurl.a"
  INTERFACE_INCLUDE_DIRECTORIES "${SORVIK_DEPS_DIR}/curl/include"
  INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB
  INTERFACE_LINK_LIBRARIES "ws2_32;crypt32;bcrypt;secur32;wldap32;advapi32;normaliz")
add_library(deps::curl ALIAS deps_curl)

add_library(deps_tinyxml STATIC IMPORTED GLOBAL)
set_target_properties(deps_tinyxml PROPERTIES
  IMPORTED_LOCATION "${SORVIK_DEPS_DIR}/tinyxml/lib/libtinyxml.a"
  INTERFACE_INCLUDE_DIRECTORIES "${SORVIK_DEPS_DIR}/tinyxml/include")
add_library(deps::tinyxml ALIAS deps_tinyxml)

add_library(deps_gtest STATIC IMPORTED GLOBAL)
set_target_properties(deps_gtest PROPERTIES
  IMPORTED_LOCATION "${SORVIK_DEPS_DIR}/gtest/lib/libgtest.a"
  INTERFACE_INCLUDE_DIRECTORIES "${SORVIK_DEPS_DIR}/gtest/include")
add_library(deps_gtest_main STATIC IMPORTED GLOBAL)
set_target_properties(deps_gtest_main PROPERTIES
  IMPORTED_LOCATION "${SORVIK_DEPS_DIR}/gtest/lib/libgtest_main.a"
  INTERFACE_LINK_LIBRARIES deps_gtest)
add_library(deps::gtest ALIAS deps_gtest)
add_library(deps::gtest_main ALIAS deps_gtest_main)
