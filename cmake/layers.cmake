# The layers of src/, from the ground up: a folder may use its own headers and functions and
# those of folders on lower levels, never those of a higher level or of another folder on its own
# level (mail and monitor stand side by side and use neither each other). The build gives each
# engine folder a library that sees and links only the folders below it; tests/check_layers.cmake
# reads the same table. The results database's adapter (store, on Qt Sql) stands above the engine,
# xapi (the database's attempts as xAPI statements for a learning record store) above it, and the
# front ends (ui, app, tools) on top of all of them.
set(ARDENTIX_LAYERS
    settings 0
    core 1
    records 2
    mail 3
    monitor 3
    options 4
    rescuer 5
    aed 6
    scenario 7
    net 8
    store 8
    centre 9
    xapi 9
    ui 10
    app 11)

# The engine's folders, from the ground up: every folder below store.
set(ARDENTIX_ENGINE_FOLDERS settings core records mail monitor options rescuer aed scenario)

# Sets level_FOLDER for every folder of the table and ARDENTIX_LAYER_FOLDERS to their names.
set(ARDENTIX_LAYER_FOLDERS "")
list(LENGTH ARDENTIX_LAYERS _n)
math(EXPR _last "${_n} - 1")
foreach(_i RANGE 0 ${_last} 2)
    math(EXPR _j "${_i} + 1")
    list(GET ARDENTIX_LAYERS ${_i} _folder)
    list(GET ARDENTIX_LAYERS ${_j} _level)
    set(level_${_folder} ${_level})
    list(APPEND ARDENTIX_LAYER_FOLDERS ${_folder})
endforeach()
