# The release number of the whole product, set in one place. Everything that states a version takes it
# from here: the header the programs include, the installer's version resource and the release record
# the local stand-in services offer. A newer release is the same sources configured with another value,
# e.g. cmake -DSORVIK_VERSION=1.1.06.06 in a build tree of its own.
set(SORVIK_VERSION "1.1.06.05" CACHE STRING "Product version, four dot-separated numbers")

# The updater compares versions as plain text, so every field keeps its width between releases; the
# numeric form feeds the Windows version resources, whose fields are 16-bit.
if(NOT SORVIK_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "SORVIK_VERSION must be four dot-separated numbers, not '${SORVIK_VERSION}'")
endif()
set(SORVIK_VERSION_FIELDS "")
foreach(i 1 2 3 4)
  math(EXPR field "${CMAKE_MATCH_${i}} + 0")
  if(field GREATER 65535)
    message(FATAL_ERROR "SORVIK_VERSION field '${CMAKE_MATCH_${i}}' does not fit a version resource")
  endif()
  list(APPEND SORVIK_VERSION_FIELDS ${field})
endforeach()
list(JOIN SORVIK_VERSION_FIELDS "," SORVIK_VERSION_COMMAS)
list(JOIN SORVIK_VERSION_FIELDS "." SORVIK_VERSION_NUMERIC)

# Any target includes it as "product_version.h".
set(SORVIK_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/product_version.h.in ${SORVIK_GENERATED_DIR}/product_version.h @ONLY)
include_directories(${SORVIK_GENERATED_DIR})

# What this build tree releases, for the stand-in update service: the version and the package name.
configure_file(${CMAKE_CURRENT_LIST_DIR}/release.json.in ${PROJECT_BINARY_DIR}/release.json @ONLY)
