# The engine: every rule of the program, in standard C++ only, as one static library per folder of
# src/ (ardentix_settings, ardentix_core, ... ardentix_scenario), each linking the libraries of the
# levels below it (cmake/layers.cmake). A folder's sources see only the headers of their own
# folder and of lower levels: the library's include root, build/layers/FOLDER, holds links to just
# those folders, so an include that runs upward or sideways fails to compile ("aed/aed.h: No such
# file or directory"). ardentix_engine is all of them, for the front ends and the tests.
include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)

foreach(folder ${ARDENTIX_ENGINE_FOLDERS})
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
    add_library(ardentix_${folder} STATIC ${sources})
    if(ARDENTIX_FUZZ)
        # The fuzz build makes only the libraries its targets link.
        set_target_properties(ardentix_${folder} PROPERTIES EXCLUDE_FROM_ALL ON)
    endif()
    set(root ${CMAKE_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${root})
    foreach(other ${ARDENTIX_ENGINE_FOLDERS})
        if(level_${other} LESS level_${folder} OR other STREQUAL folder)
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${other} ${root}/${other} SYMBOLIC)
        endif()
        if(level_${other} LESS level_${folder})
            target_link_libraries(ardentix_${folder} PUBLIC ardentix_${other})
        endif()
    endforeach()
    target_include_directories(ardentix_${folder} PUBLIC ${root})
    ardentix_precompile(ardentix_${folder} STD)
endforeach()

# The monitor's files have file-local helpers of the same names (Rule, running): they are compiled
# one by one.
set_target_properties(ardentix_monitor PROPERTIES UNITY_BUILD OFF)

add_library(ardentix_engine INTERFACE)
target_link_libraries(ardentix_engine INTERFACE ardentix_scenario)
target_include_directories(ardentix_engine INTERFACE ${PROJECT_SOURCE_DIR}/src)

# The engine links nothing but the standard library: each folder's library links only those of
# the folders below it.
foreach(folder ${ARDENTIX_ENGINE_FOLDERS})
    get_target_property(links ardentix_${folder} LINK_LIBRARIES)
    if(NOT links)
        continue()
    endif()
    foreach(link ${links})
        string(REGEX REPLACE "^ardentix_" "" linked "${link}")
        if(NOT linked IN_LIST ARDENTIX_ENGINE_FOLDERS)
            message(FATAL_ERROR "the engine must link nothing but the standard library: "
                                "ardentix_${folder} links ${link}")
        endif()
    endforeach()
endforeach()

# A lower folder can still call a higher one through a declaration of its own, without the higher
# folder's header. Each folder's whole library is therefore linked into a program with only the
# libraries below it: such a call fails the build as an undefined reference.
if(NOT ARDENTIX_FUZZ)
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/layers/links_alone.cpp
         CONTENT "int main() { return 0; }\n")
    add_library(ardentix_layer_main OBJECT ${CMAKE_BINARY_DIR}/layers/links_alone.cpp)
    foreach(folder ${ARDENTIX_ENGINE_FOLDERS})
        add_executable(layer_links_${folder} $<TARGET_OBJECTS:ardentix_layer_main>)
        target_link_libraries(layer_links_${folder}
                              PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,ardentix_${folder}>")
        set_target_properties(layer_links_${folder} PROPERTIES
                              RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layers)
    endforeach()
endif()
