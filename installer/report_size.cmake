# Prints the size of the installer FILE of release VERSION: cmake -DFILE=<path> -DVERSION=<v> -P report_size.cmake
file(SIZE "${FILE}" bytes)
math(EXPR kib "(${bytes} + 512) / 1024")
get_filename_component(name "${FILE}" NAME)
message("installer: ${name} ${VERSION} is ${bytes} bytes (${kib} KiB)")
