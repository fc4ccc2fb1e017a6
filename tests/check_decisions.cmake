# Fails when engine code decides something by reading a timer's interval or the name of the sound
# that played last, or when the monitor asks which of the device's or the rescuer's timers run.
# Intervals and sound names are what scripts and the player see; what the device and the rescuer
# are doing is their phase (core/phases.h). The timer table itself (core/timers.*) may read its
# intervals, and the monitor may watch the blinking "Scenario Over" sign of the flow.
set(rules
    # a timer's interval read: Interval(...), ->Interval(...), or a script-style NAME.interval
    "[.>]Interval[ \t]*\\("
    "\\.interval[ \t]*[=!<>]"
    # the last sound's name compared, or a WAV file's name compared with anything
    "SoundFile[ \t]*[=!]="
    "[=!]=[ \t]*\"[^\"]*\\.[wW][aA][vV]\""
    "\"[^\"]*\\.[wW][aA][vV]\"[ \t]*[=!]=")
set(monitor_rule "[Rr]unning[ \t]*\\([^)]*TimerId::")
set(monitor_allowed "TimerId::SCENOVERLabelFLASHTimer")

set(failed 0)
foreach(dir core aed rescuer monitor records settings options scenario mail)
    file(GLOB_RECURSE sources ${ROOT}/src/${dir}/*.cpp ${ROOT}/src/${dir}/*.h)
    list(FILTER sources EXCLUDE REGEX "^${ROOT}/src/core/timers\\.(h|cpp)$")
    foreach(source ${sources})
        foreach(rule ${rules})
            file(STRINGS ${source} lines REGEX "${rule}")
            foreach(line ${lines})
                if(line MATCHES "^[ \t]*//")
                    continue()
                endif()
                string(STRIP "${line}" line)
                message(SEND_ERROR "${source} decides by a timer's interval or a sound's name: ${line}")
            endforeach()
        endforeach()
        if(dir STREQUAL "monitor")
            file(STRINGS ${source} lines REGEX "${monitor_rule}")
            foreach(line ${lines})
                string(REGEX REPLACE "${monitor_allowed}" "" rest "${line}")
                if(rest MATCHES "${monitor_rule}")
                    string(STRIP "${line}" line)
                    message(SEND_ERROR "${source} asks which timers run instead of a phase: ${line}")
                endif()
            endforeach()
        endif()
    endforeach()
endforeach()
