# The layers of the program, stated in the build. Each folder of src/ is one layer, included as
# "folder/File.h". A target that may use a layer links the layer's library, which puts just that
# folder on its include path (through a link in the build tree), so an include that runs the
# wrong way, say from portable code into a frontend, fails to build.

# tavrino_layer(target folder [INTERFACE]): target offers src/<folder> (or tests/<folder> when
# ROOT is given) as "<folder>/...".
function(tavrino_layer target folder)
    cmake_parse_arguments(ARG "INTERFACE" "ROOT" "" ${ARGN})
    if(NOT ARG_ROOT)
        set(ARG_ROOT ${PROJECT_SOURCE_DIR}/src)
    endif()
    set(layerDir ${PROJECT_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${layerDir})
    file(CREATE_LINK ${ARG_ROOT}/${folder} ${layerDir}/${folder} SYMBOLIC)
    if(ARG_INTERFACE)
        target_include_directories(${target} INTERFACE ${layerDir})
    else()
        target_include_directories(${target} PUBLIC ${layerDir})
    endif()
endfunction()
