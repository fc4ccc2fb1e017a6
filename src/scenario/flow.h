#pragma once
#include <string>

#include "core/element_names.h"

namespace ardentix {

class Engine;

// The outer loop of the program: main menu, log-in, the running scenario with its pause, the
// end of a scenario and the choices of the summary.

void ShowLogin(Engine& e);
void LoginModeClicked(Engine& e, El button);
void LoginOk(Engine& e);
void LoginCancel(Engine& e);
void BeginScenario(Engine& e);
void TogglePause(Engine& e);
void ShowPatientHistory(Engine& e);
void RequestAdvice(Engine& e);
void FinalErrorOk(Engine& e);
void SummaryNext(Engine& e);
void SummaryRepeat(Engine& e);
void SummaryMainMenu(Engine& e);
void SummaryQuit(Engine& e);
// Closing the main window ends the program; during a scenario only when the trainee confirms,
// and the scenario is recorded as terminated.
void CloseMainWindow(Engine& e);
void ToggleBorder(Engine& e);

// Timer handlers of the outer loop.
void RegisterFlowTimers(Engine& e);

}  // namespace ardentix
