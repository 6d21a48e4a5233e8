# Prints the size of the file FILE: cmake -DFILE=<path> -P report_size.cmake
file(SIZE "${FILE}" bytes)
math(EXPR kib "(${bytes} + 512) / 1024")
get_filename_component(name "${FILE}" NAME)
message("installer: ${name} is ${bytes} bytes (${kib} KiB)")
