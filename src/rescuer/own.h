#pragma once
#include "core/engine.h"

// The rescuer's record of the scenario state opens for writing here, and only the files of this
// folder include this header (state_owned_by_folders checks it); other folders read the record
// through the engine, or ask this folder's functions to change it.
namespace ardentix {

struct RescuerOwner {
    static RescuerState& Of(Engine& e) { return e.rescuer({}); }
};

inline RescuerState& OwnRescuer(Engine& e) {
    return RescuerOwner::Of(e);
}

}  // namespace ardentix
