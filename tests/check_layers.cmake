cmake_minimum_required(VERSION 3.25)
# Fails when a source includes a header of a folder above its own, or of another folder on its
# own level (two such folders would soon reach each other both ways). The engine's folders are
# layered from the ground up; a folder may include its own headers and those of lower folders.
# The front ends (ui, app, tools) stand on top of all of them.
set(levels
    settings 0
    core 1
    records 2
    mail 3
    monitor 3
    options 4
    rescuer 4
    aed 5
    scenario 6
    ui 7
    app 8)
set(known "")
list(LENGTH levels n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET levels ${i} folder)
    list(GET levels ${j} level)
    set(level_${folder} ${level})
    list(APPEND known ${folder})
endforeach()

file(GLOB folders LIST_DIRECTORIES true RELATIVE ${ROOT}/src ${ROOT}/src/*)
foreach(folder ${folders})
    if(NOT IS_DIRECTORY ${ROOT}/src/${folder})
        continue()
    endif()
    if(NOT folder IN_LIST known)
        message(SEND_ERROR "src/${folder} has no place in the layers of tests/check_layers.cmake")
        continue()
    endif()
    file(GLOB_RECURSE sources ${ROOT}/src/${folder}/*.cpp ${ROOT}/src/${folder}/*.h)
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
        foreach(line ${includes})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" used "${line}")
            if(NOT used IN_LIST known)
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
