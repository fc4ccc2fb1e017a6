#pragma once

namespace ardentix {

class Engine;

// Recognises that every required step is done and starts the "Scenario Over" sign.
void CheckScenarioOver(Engine& e);

}  // namespace ardentix
