# Fails when code outside the name table spells an element's name as a string literal: the code
# addresses elements by their handles (El::ShockButton), and the names scripts, stored files and
# the Qt object names use live in core/element_names.h alone. A few names are also ordinary
# words the program logs or shows ("Pause", "Advice", "Quit", "AED"), and the border window's
# caption is its name; those literals are texts, allowed on the lines that use them so.
cmake_minimum_required(VERSION 3.20)
file(READ ${ROOT}/src/core/element_names.h table)
string(REGEX MATCHALL "X\\([A-Za-z0-9_]+, \"[^\"]+\"\\)" entries "${table}")
set(names "")
foreach(entry ${entries})
    string(REGEX REPLACE "X\\([A-Za-z0-9_]+, \"([^\"]+)\"\\)" "\\1" name "${entry}")
    list(APPEND names "${name}")
endforeach()
list(LENGTH names count)
if(count LESS 200)
    message(FATAL_ERROR "read only ${count} element names from core/element_names.h")
endif()

# Texts that happen to be element names: the caption of a menu entry or button, an event's text.
set(texts "Pause" "Advice" "Quit" "AED" "ArdentixBorder")

file(GLOB_RECURSE sources ${ROOT}/src/*.cpp ${ROOT}/src/*.h ${ROOT}/tools/*.cpp ${ROOT}/tools/*.h)
list(FILTER sources EXCLUDE REGEX "/src/core/element_names\\.(h|cpp)$")
foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "\"")
    foreach(line ${lines})
        if(line MATCHES "^[ \t]*//")
            continue()
        endif()
        string(REGEX MATCHALL "\"[A-Za-z0-9_.]+\"" literals "${line}")
        foreach(literal ${literals})
            string(REPLACE "\"" "" word "${literal}")
            if(word IN_LIST names AND NOT word IN_LIST texts)
                string(STRIP "${line}" line)
                message(SEND_ERROR "${source} spells the element name ${literal}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()

# The summary's list of deductions is written through the monitor's Deductions, never by the
# device or the rescuer themselves: only the monitor, the reset and the report's separator write it.
file(GLOB_RECURSE engine ${ROOT}/src/*.cpp)
list(FILTER engine EXCLUDE REGEX "/src/(monitor/[a-z_]+|core/reset|records/reports)\\.cpp$")
foreach(source ${engine})
    file(STRINGS ${source} lines REGEX "Edit\\(El::SummaryErrors\\)")
    foreach(line ${lines})
        string(STRIP "${line}" line)
        message(SEND_ERROR "${source} writes the summary's deductions itself: ${line}")
    endforeach()
endforeach()
