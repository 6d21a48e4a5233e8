# Lists the product folder for the installer script, run at build time once the programs are built:
#   cmake -DPRODUCT_DIR=<folder> [-DPROGRAMS_DIR=<folder>] -DOUT_DIR=<folder> -P list_product_files.cmake
# A file that PROGRAMS_DIR holds too (a program built for another release) is taken from there.
# Writes install_files.nsh (one File line per file, in its own folder), uninstall_files.nsh (exactly
# those files, then their folders, deepest first) and payload.stamp (names and digests, rewritten
# only when they change, so the installer is rebuilt only then).
cmake_minimum_required(VERSION 3.20)

# Settings the installer writes itself, and the updater's own state: never copied from the build.
set(not_payload "service_hosts.ini" "config/update_config.xml" "config/varnio_movrel.ini")

file(GLOB_RECURSE files RELATIVE "${PRODUCT_DIR}" LIST_DIRECTORIES false "${PRODUCT_DIR}/*")
list(SORT files)
list(REMOVE_ITEM files ${not_payload})

# NSIS reads "$" as the start of a variable.
function(nsis_text out text)
  string(REPLACE "$" "$$" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(install "")
set(uninstall "")
set(stamp "")
set(folders "")
set(current_dir "-")
foreach(file IN LISTS files)
  get_filename_component(dir "${file}" DIRECTORY)
  get_filename_component(name "${file}" NAME)
  string(REPLACE "/" "\\" win_dir "${dir}")
  string(REPLACE "/" "\\" win_file "${file}")
  nsis_text(win_dir "${win_dir}")
  nsis_text(win_file "${win_file}")
  set(source "${PRODUCT_DIR}/${file}")
  if(PROGRAMS_DIR AND EXISTS "${PROGRAMS_DIR}/${file}")
    set(source "${PROGRAMS_DIR}/${file}")
  endif()
  nsis_text(src "${source}")
  if(NOT dir STREQUAL current_dir)
    set(current_dir "${dir}")
    if(dir STREQUAL "")
      string(APPEND install "SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install "SetOutPath \"$INSTDIR\\${win_dir}\"\n")
    endif()
  endif()
  # A running program cannot be overwritten, but it can be moved aside (the updater runs the installer).
  if(name MATCHES "\\.(exe|dll)$")
    nsis_text(nsis_name "${name}")
    string(APPEND install "!insertmacro FreeProgramFile \"${nsis_name}\"\n")
    string(APPEND uninstall "Delete \"$INSTDIR\\${win_file}.old\"\n")
  endif()
  string(APPEND install "File \"${src}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${win_file}\"\n")
  file(MD5 "${source}" digest)
  string(APPEND stamp "${digest} ${file}\n")
  # Every folder on the way up, so that all of them are removed when empty.
  while(NOT dir STREQUAL "")
    list(APPEND folders "${dir}")
    get_filename_component(dir "${dir}" DIRECTORY)
  endwhile()
endforeach()

# In descending order every folder comes before its parent, which is a prefix of it.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(dir IN LISTS folders)
  string(REPLACE "/" "\\" win_dir "${dir}")
  nsis_text(win_dir "${win_dir}")
  string(APPEND uninstall "RMDir \"$INSTDIR\\${win_dir}\"\n")
endforeach()

function(write_if_changed path content)
  if(EXISTS "${path}")
    file(READ "${path}" old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE "${path}" "${content}")
endfunction()

file(MAKE_DIRECTORY "${OUT_DIR}")
write_if_changed("${OUT_DIR}/install_files.nsh" "${install}")
write_if_changed("${OUT_DIR}/uninstall_files.nsh" "${uninstall}")
write_if_changed("${OUT_DIR}/payload.stamp" "${stamp}")
