# Every test is a console program that ctest runs under Wine through scripts/wine-run.sh.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh")

# sorvik_test(<name> SOURCES <files...> LIBS <targets...> [MAIN])
# Without MAIN the test links gtest's own main(); with it, the sources bring their own.
function(sorvik_test name)
  cmake_parse_arguments(T "MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} deps::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} deps::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
