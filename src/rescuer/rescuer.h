#pragma once
#include <cstddef>
#include <string>

namespace ardentix {

class Engine;

// The patient's vital signs: zero without a pulse; drawn once when the pulse has returned and
// kept for the rest of the scenario.
void UpdateVitalSigns(Engine& e);

// The ABCs menu opens only while no check or breath animation is under way.
bool AbcsMenuAvailable(const Engine& e);
void CheckResponsiveness(Engine& e);
void PhoneForHelp(Engine& e);
void OpenAirway(Engine& e);
void CheckBreathing(Engine& e);
void RescueBreaths(Engine& e);
void AutoABCs(Engine& e);
// Auto ABCs goes on from the end of the phone call to the airway.
void ContinueAutoABCsAfterCall(Engine& e);

// The CPR button starts CPR, or stops it when it runs.
void CPRButton(Engine& e);
// Stops CPR; stopping while the AED still counts more than 10 seconds of the period costs points.
void StopCPR(Engine& e);
bool CPRIsRunning(const Engine& e);

void PulseCheck(Engine& e);
void BloodPressureCheck(Engine& e);

// Adds a report to the two message lines: the first empty line takes it; a second line shorter
// than the limit gets the short form appended; otherwise the report starts the lines afresh.
void AddMessage(Engine& e, const std::string& text, const std::string& shortForm, size_t limit);

void RegisterRescuerTimers(Engine& e);
void RegisterCPRTimers(Engine& e);
void RegisterVitalsTimers(Engine& e);

}  // namespace ardentix
