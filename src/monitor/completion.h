#pragma once

namespace ardentix {

class Engine;

// Recognises that every required step is done and starts the "Scenario Over" sign.
void CheckScenarioOver(Engine& e);
// Whether a completion rule holds now.
bool ScenarioComplete(const Engine& e);

}  // namespace ardentix
