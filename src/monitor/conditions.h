#pragma once
#include "core/engine.h"

// Conditions the monitor's rules share.
namespace ardentix {

// What the device is doing, as the device's own folder moves it.
inline const AedPhase& Device(const Engine& e) {
    return e.aed().Phase;
}

// An analysis is under way.
inline bool AnalysisRunning(const Engine& e) {
    return Device(e).AnalysisRunning();
}

// The AED is charging or prompting for the shock.
inline bool ShockPrepRunning(const Engine& e) {
    return Device(e).ShockPrepRunning();
}

// Verbal reports are scored and fewer than two were given.
inline bool VoiceDue(const Engine& e) {
    return e.settings.On(Opt::OptVoice) && e.state.VoiceReportCount < 2;
}

inline bool BothPads(const Engine& e) {
    return e.state.WhitePadAttached && e.state.RedPadAttached;
}

// The ABCs end in CPR: with two rescuers, and always for a child.
inline bool ABCsIncludeCPR(const Engine& e) {
    return !e.settings.On(Opt::OPTOneRescuer) || e.state.PatientCategory == kPediatric;
}

inline bool CPRRunning(const Engine& e) {
    return e.state.ChildCPRRunning || e.state.AdultCPRRunning;
}

}  // namespace ardentix
