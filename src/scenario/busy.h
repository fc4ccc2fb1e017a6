#pragma once

namespace ardentix {

class Engine;

// Marks each control whose handler would ignore a click now, because a timed step is under way,
// as busy; the front ends draw it so, and a click on it still goes to its handler. Run at the end
// of every event.
void MarkBusyControls(Engine& e);

}  // namespace ardentix
