#pragma once
#include "core/engine.h"

// The mail layer's record of the scenario state opens for writing here, and only the files of this
// folder include this header (state_owned_by_folders checks it); other folders read the record
// through the engine, or ask this folder's functions to change it.
namespace ardentix {

struct MailOwner {
    static MailState& Of(Engine& e) { return e.mailState({}); }
};

inline MailState& OwnMail(Engine& e) {
    return MailOwner::Of(e);
}

}  // namespace ardentix
