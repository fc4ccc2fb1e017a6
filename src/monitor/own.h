#pragma once
#include "core/engine.h"

// The monitor's record of the scenario state opens for writing here, and only the files of this
// folder include this header (state_owned_by_folders checks it); other folders read the record
// through the engine, or ask this folder's functions to change it.
namespace ardentix {

struct MonitorOwner {
    static MonitorState& Of(Engine& e) { return e.monitor({}); }
};

inline MonitorState& OwnMonitor(Engine& e) {
    return MonitorOwner::Of(e);
}

}  // namespace ardentix
