# Fails when an engine source includes a Qt header. The Qt adapters behind the engine's ports (the
# mail server's socket in src/net, for one) live in folders of their own, outside the engine.
foreach(dir core aed rescuer monitor records settings options scenario mail)
    file(GLOB_RECURSE sources ${ROOT}/src/${dir}/*.cpp ${ROOT}/src/${dir}/*.h)
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q[A-Za-z]")
        if(includes)
            message(SEND_ERROR "${source} includes Qt: ${includes}")
        endif()
    endforeach()
endforeach()
