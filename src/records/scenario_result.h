#pragma once
#include "core/result.h"

namespace ardentix {

class Engine;

// The result of the scenario that has just ended, finished (`completed`) or terminated with the
// program, as the results database keeps it: the summary's error list (without the line that
// closes a test series), the debrief's events and its figures that happened.
ScenarioResult CollectResult(const Engine& e, bool completed);

// Records a Practice or Test scenario's result through the results port (a Tutorial scenario is
// not recorded, nor anything without a port). When the database cannot be written, a warning box
// says why and that the result is kept to be saved later. False on such a failure.
bool RecordResult(Engine& e, bool completed);

}  // namespace ardentix
