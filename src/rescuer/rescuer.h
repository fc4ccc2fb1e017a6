#pragma once

namespace ardentix {

class Engine;

// The patient's vital signs: zero without a pulse; drawn once when the pulse has returned and
// kept for the rest of the scenario.
void UpdateVitalSigns(Engine& e);

// Stops CPR; stopping while the AED still counts more than 10 seconds of the period costs points.
void StopCPR(Engine& e);
bool CPRIsRunning(const Engine& e);

}  // namespace ardentix
