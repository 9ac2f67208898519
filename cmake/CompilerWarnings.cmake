# One INTERFACE target that every target of our own links; third-party code never sees it. The
# warnings are always on; they fail the build only where TAVRINO_WARNINGS_AS_ERRORS asks for it
# (the presets), so that a newer compiler's new warning cannot break a user's or a distribution's
# build.
add_library(tavrino_warnings INTERFACE)
target_compile_options(tavrino_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
if(TAVRINO_WARNINGS_AS_ERRORS)
    target_compile_options(tavrino_warnings INTERFACE -Werror)
endif()
