cmake_minimum_required(VERSION 3.25)
# Fails when a source includes a header of a folder above its own, or of another folder on its
# own level (two such folders would soon reach each other both ways), or reaches past its folder
# with "../". The levels are those of cmake/layers.cmake, which the build follows as well: there
# each engine folder's library sees and links only the folders below it, so such an include or a
# call upward also fails to compile or to link; this check names every offender at once, before
# anything is built.
include(${ROOT}/cmake/layers.cmake)

file(GLOB folders LIST_DIRECTORIES true RELATIVE ${ROOT}/src ${ROOT}/src/*)
foreach(folder ${folders})
    if(NOT IS_DIRECTORY ${ROOT}/src/${folder})
        continue()
    endif()
    if(NOT folder IN_LIST ARDENTIX_LAYER_FOLDERS)
        message(SEND_ERROR "src/${folder} has no place in the layers of cmake/layers.cmake")
        continue()
    endif()
    file(GLOB_RECURSE sources ${ROOT}/src/${folder}/*.cpp ${ROOT}/src/${folder}/*.h)
    foreach(source ${sources})
        file(STRINGS ${source} climbs REGEX "^[ \t]*#[ \t]*include[ \t]*\"\\.\\./")
        if(climbs)
            message(SEND_ERROR "${source} (${folder}) includes past its folder: ${climbs}")
        endif()
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
        foreach(line ${includes})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" used "${line}")
            if(NOT used IN_LIST ARDENTIX_LAYER_FOLDERS)
                continue()
            endif()
            if(level_${used} GREATER level_${folder})
                message(SEND_ERROR "${source} (${folder}) includes ${used}, a layer above it")
            elseif(level_${used} EQUAL level_${folder} AND NOT used STREQUAL folder)
                message(SEND_ERROR "${source} (${folder}) includes ${used}, a folder on its level")
            endif()
        endforeach()
    endforeach()
endforeach()
