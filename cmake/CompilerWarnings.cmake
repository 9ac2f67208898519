# One INTERFACE target that every target of our own links; third-party code never sees it.
add_library(tavrino_warnings INTERFACE)
target_compile_options(tavrino_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
