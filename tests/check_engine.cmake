# Fails when an engine source includes a Qt header. The mail server's socket (src/mail/socket) is
# the one part of an engine folder that is no engine: it is a library of its own on Qt Network.
foreach(dir core aed rescuer monitor records settings options scenario mail)
    file(GLOB_RECURSE sources ${ROOT}/src/${dir}/*.cpp ${ROOT}/src/${dir}/*.h)
    list(FILTER sources EXCLUDE REGEX "^${ROOT}/src/mail/socket/")
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q[A-Za-z]")
        if(includes)
            message(SEND_ERROR "${source} includes Qt: ${includes}")
        endif()
    endforeach()
endforeach()
