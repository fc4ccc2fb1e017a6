# Precompiled headers. A file of this program is small; most of its compile time goes into the
# standard and Qt headers it includes. ardentix_precompile(TARGET GROUP) gives TARGET
# the headers of GROUP, compiled once by the first target of the group and reused by the others
# (they share the compiler flags). Only headers from outside the program are precompiled, so a
# folder still sees only the program's headers its layer allows.
#
# A file that leans on a precompiled header for an include of its own would build here and fail
# elsewhere: CI's Release build runs with ARDENTIX_PCH=OFF and catches it.
set(ARDENTIX_PCH_STD <algorithm> <array> <cstdint> <functional> <map> <memory> <optional> <set>
    <string> <string_view> <utility> <vector>)
# The Qt headers most GUI tests include; a whole module (<QtWidgets>) would make a precompiled
# header of several hundred megabytes that costs more to load than it saves. (Where a target's
# files are compiled in a few batches, as the Qt program's and the unit tests' are, a precompiled
# header costs more to make than it saves.)
set(ARDENTIX_PCH_QT_TEST ${ARDENTIX_PCH_STD} <QAction> <QApplication> <QCheckBox> <QDialog> <QDir>
    <QFile> <QLabel> <QLineEdit> <QListWidget> <QMenu> <QMenuBar> <QMessageBox> <QPlainTextEdit>
    <QPushButton> <QRadioButton> <QString> <QTemporaryDir> <QTimer> <QWidget> <QtTest>)

# ccache caches a file compiled with a precompiled header only when it is told to overlook
# what it cannot check then (macros defined in the sources, __TIME__): ccache's manual.
if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    set(ARDENTIX_PCH_LAUNCHER ${CMAKE_COMMAND} -E env
        CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

function(ardentix_precompile target group)
    if(NOT ARDENTIX_PCH)
        return()
    endif()
    if(ARDENTIX_PCH_LAUNCHER)
        set_target_properties(${target} PROPERTIES CXX_COMPILER_LAUNCHER "${ARDENTIX_PCH_LAUNCHER}")
    endif()
    get_property(first GLOBAL PROPERTY ARDENTIX_PCH_FIRST_${group})
    if(first)
        target_precompile_headers(${target} REUSE_FROM ${first})
    else()
        target_precompile_headers(${target} PRIVATE ${ARDENTIX_PCH_${group}})
        set_property(GLOBAL PROPERTY ARDENTIX_PCH_FIRST_${group} ${target})
    endif()
endfunction()
