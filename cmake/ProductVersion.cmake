# The release number of the whole product, set in one place. Everything that states a version takes it
# from here: the header the programs include, the installer's version resource and the release record
# the local stand-in services offer. A newer release is the same sources configured with another value,
# e.g. cmake -DSORVIK_VERSION=1.1.06.06 in a build tree of its own; the tests build one beside this
# release in every tree (installer/next_release.cmake), numbered SORVIK_NEXT_VERSION.
set(SORVIK_VERSION "1.1.06.05" CACHE STRING "Product version, four dot-separated numbers")

# sorvik_version_fields(<version> <prefix>): checks the version and sets <prefix>_COMMAS ("1,1,6,5") and
# <prefix>_NUMERIC ("1.1.6.5") in the caller.
# The updater compares versions as plain text, so every field keeps its width between releases; the
# numeric form feeds the Windows version resources, whose fields are 16-bit.
function(sorvik_version_fields version prefix)
  if(NOT version MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "A product version must be four dot-separated numbers, not '${version}'")
  endif()
  set(fields "")
  foreach(i 1 2 3 4)
    math(EXPR field "${CMAKE_MATCH_${i}} + 0")
    if(field GREATER 65535)
      message(FATAL_ERROR "Product version field '${CMAKE_MATCH_${i}}' does not fit a version resource")
    endif()
    list(APPEND fields ${field})
  endforeach()
  list(JOIN fields "," commas)
  list(JOIN fields "." numeric)
  set(${prefix}_COMMAS "${commas}" PARENT_SCOPE)
  set(${prefix}_NUMERIC "${numeric}" PARENT_SCOPE)
endfunction()

# sorvik_version_files(<version> <release dir>): writes <release dir>/generated/product_version.h, which
# any target includes as "product_version.h", and <release dir>/release.json, what the release offers
# to the stand-in update service: the version and the package name.
function(sorvik_version_files version release_dir)
  sorvik_version_fields(${version} SORVIK_VERSION)
  set(SORVIK_VERSION ${version})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/product_version.h.in ${release_dir}/generated/product_version.h @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/release.json.in ${release_dir}/release.json @ONLY)
endfunction()

sorvik_version_fields(${SORVIK_VERSION} SORVIK_VERSION)
set(SORVIK_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
sorvik_version_files(${SORVIK_VERSION} ${PROJECT_BINARY_DIR})
include_directories(${SORVIK_GENERATED_DIR})

# The release after this one: the last field one higher at the same width ("05" -> "06"), unless given.
if(NOT SORVIK_NEXT_VERSION)
  string(REGEX MATCH "^(.*\\.)([0-9]+)$" _ "${SORVIK_VERSION}")
  math(EXPR _next_field "${CMAKE_MATCH_2} + 1")
  string(LENGTH "${CMAKE_MATCH_2}" _width)
  string(LENGTH "${_next_field}" _next_width)
  if(_next_width LESS _width)
    string(REPEAT "0" ${_width} _zeros)
    string(SUBSTRING "${_zeros}${_next_field}" ${_next_width} ${_width} _next_field)
  endif()
  set(SORVIK_NEXT_VERSION "${CMAKE_MATCH_1}${_next_field}")
endif()
if(NOT SORVIK_NEXT_VERSION STRGREATER SORVIK_VERSION)
  message(FATAL_ERROR "The next release's version '${SORVIK_NEXT_VERSION}' must compare as newer text than "
                      "'${SORVIK_VERSION}': set SORVIK_NEXT_VERSION")
endif()

# Where the tests build that release from the same sources (installer/next_release.cmake).
set(SORVIK_NEXT_DIR ${PROJECT_BINARY_DIR}/next)
sorvik_version_files(${SORVIK_NEXT_VERSION} ${SORVIK_NEXT_DIR})
