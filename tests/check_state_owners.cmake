# Fails when a folder reaches the mutable access of a record of the scenario state it does not own.
# Each record is opened for writing only through its owner (FlowOwner in core/course.h, AedOwner in
# aed/own.h, ...), and the compiler refuses the key to anyone else; this check keeps the owners'
# names and headers inside their folders. The whole state opened for scripts (ScriptState) is for
# the script runner and the tests, never for src/; and no const is cast away from the state.
set(owners
    core Flow
    monitor Monitor
    mail Mail
    rescuer Rescuer
    aed Aed)

file(GLOB_RECURSE sources ${ROOT}/src/*.cpp ${ROOT}/src/*.h ${ROOT}/tools/*.cpp ${ROOT}/tools/*.h)
list(LENGTH owners n)
math(EXPR last "${n} - 1")
foreach(source ${sources})
    file(RELATIVE_PATH relative ${ROOT} ${source})
    # The engine declares every owner and hands each its record.
    if(relative STREQUAL "src/core/engine.h")
        continue()
    endif()
    foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET owners ${i} folder)
        list(GET owners ${j} record)
        if(relative MATCHES "^src/${folder}/")
            continue()
        endif()
        file(STRINGS ${source} lines
             REGEX "Own${record}[ \t]*\\(|${record}Owner|\"${folder}/own\\.h\"")
        foreach(line ${lines})
            string(STRIP "${line}" line)
            message(SEND_ERROR "${relative} writes the ${folder} folder's record: ${line}")
        endforeach()
    endforeach()
    if(relative MATCHES "^src/")
        file(STRINGS ${source} lines REGEX "ScriptState[ \t]*\\(|const_cast<[^>]*State")
        foreach(line ${lines})
            string(STRIP "${line}" line)
            message(SEND_ERROR "${relative} opens the whole scenario state: ${line}")
        endforeach()
    endif()
endforeach()
