# Import libraries that load their DLL at the first call into it instead of at process start. Sorvik and
# its companion libraries reach the network and crypto DLLs only from background work, yet loading them
# and the DLLs they pull in (DNS, sockets, certificates) cost every start tens of milliseconds before the
# window. A program opts in with sorvik_delay_load(<target>): its link then finds these libraries ahead of
# the toolchain's own, under the same names, so no call site changes.
# Each library is made once per build tree from the toolchain's import library: every function it
# imports, named as the DLL exports it. Data imports cannot be delayed and are left out; so are the few
# static helpers some import libraries carry: a program that needed either would fail to link, not to run.
set(SORVIK_DELAY_LOADED wininet ws2_32 crypt32 bcrypt iphlpapi)
set(SORVIK_DELAY_LOAD_DIR ${PROJECT_BINARY_DIR}/delay_load)

function(sorvik_run out)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE text ERROR_VARIABLE message
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(failed)
    message(FATAL_ERROR "${ARGN} failed: ${message}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(sorvik_make_delay_library lib)
  set(out ${SORVIK_DELAY_LOAD_DIR}/lib${lib}.a)
  if(EXISTS ${out})
    return()
  endif()
  sorvik_run(import ${CMAKE_CXX_COMPILER} -print-file-name=lib${lib}.a)
  sorvik_run(dll ${CMAKE_DLLTOOL} --identify ${import})
  sorvik_run(symbols ${CMAKE_NM} -g --defined-only ${import})
  # "<value> T <name>" is a function's call thunk, "<value> I __imp_<name>" its import address slot.
  string(REGEX MATCHALL "[^\n]+ T [^\n]+" thunks "${symbols}")
  list(TRANSFORM thunks REPLACE "^.* T " "")
  string(REGEX MATCHALL " I __imp_[^\n]+" imported "${symbols}")
  list(TRANSFORM imported REPLACE "^ I __imp_" "")
  set(def "LIBRARY ${dll}\nEXPORTS\n")
  foreach(name IN LISTS imported)
    list(FIND thunks "${name}" thunk)
    if(thunk EQUAL -1)
      continue()
    endif()
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(SUBSTRING "${name}" 1 -1 name)  # dlltool puts the leading underscore back
    endif()
    string(APPEND def "${name}\n")
  endforeach()
  file(WRITE ${SORVIK_DELAY_LOAD_DIR}/${lib}.def "${def}")
  # --kill-at: the 32-bit stdcall names are imported without their "@<bytes>", as the DLLs export them.
  # Run in its folder: dlltool names the library's symbols after the output path.
  execute_process(COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${lib}.def --dllname ${dll}
    --output-delaylib lib${lib}.a WORKING_DIRECTORY ${SORVIK_DELAY_LOAD_DIR} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dlltool could not make the delay-load library of ${dll}")
  endif()
endfunction()

foreach(lib IN LISTS SORVIK_DELAY_LOADED)
  sorvik_make_delay_library(${lib})
endforeach()

function(sorvik_delay_load target)
  target_link_directories(${target} PRIVATE ${SORVIK_DELAY_LOAD_DIR})
  list(TRANSFORM SORVIK_DELAY_LOADED REPLACE "(.+)" "${SORVIK_DELAY_LOAD_DIR}/lib\\1.a" OUTPUT_VARIABLE libraries)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${libraries})
endfunction()
