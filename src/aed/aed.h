#pragma once
#include <optional>
#include <string>
#include <string_view>

// What the device tells the monitor (the countdown, the last shock and result, the child key, a
// pulse waiting for the next analysis) is read through core/device_facts.h: the monitor stands
// below the device and reads it there.
#include "core/device_facts.h"

namespace ardentix {

class Engine;

// The device's fixed prompt texts, compared with the prompt line by keys and actions.
namespace prompt {
inline constexpr std::string_view kSelfTest = "SELF-TEST";
inline constexpr std::string_view kConnect = "CONNECT ELECTRODES";
inline constexpr std::string_view kPushAnalyze = "PUSH ANALYZE";
inline constexpr std::string_view kStandClear = "STAND CLEAR";
inline constexpr std::string_view kAnalyzing = "ANALYZING NOW";
inline constexpr std::string_view kMotion = "MOTION DETECTED";
inline constexpr std::string_view kStopMotion = "STOP MOTION";
inline constexpr std::string_view kShockAdvised = "SHOCK ADVISED";
inline constexpr std::string_view kNoShock = "NO SHOCK ADVISED";
inline constexpr std::string_view kPushToShock = "PUSH TO SHOCK";
inline constexpr std::string_view kChargeRemoved = "CHARGE REMOVED";
inline constexpr std::string_view kCheckPulse = "CHECK FOR PULSE";
inline constexpr std::string_view kIfNoPulse = "IF NO PULSE";
inline constexpr std::string_view kStartCPR = "START CPR";
inline constexpr std::string_view kReplaceBattery = "REPLACE BATTERY";
}  // namespace prompt

// The prompt line and the display above it.
const std::string& PromptLine(const Engine& e);
void SetPrompt(Engine& e, std::string_view text);
// The device counts as on once its power light is lit, 150 ms after power-on.
bool PowerLightLit(const Engine& e);

// Power key (PowerButton, and POWERBUTTON2 after a battery replacement).
void PowerOn(Engine& e);
void PowerButton2(Engine& e);

// The analyze key.
void AnalyzeRequest(Engine& e);
// The same request made by the device itself (a two-button device, auto analyze, the end of a CPR
// countdown): it charges nobody and never starts an analysis the protocol forbids.
void DeviceAnalyzeRequest(Engine& e);
// The patient is moving: the analysis cannot go on.
bool PatientMoving(const Engine& e);

// The shock key.
void ShockKey(Engine& e);

// The child key: switched on, the device gives pediatric energy under current guidelines, and the
// child light is lit (device on or off). Its charges at the shock under current guidelines.
void ChildKey(Engine& e);
void JudgeChildKeyAtShock(Engine& e);

// The rescuer's verbal report, recorded by the device, and clearing everybody from the patient.
void VoiceReport(Engine& e);
void ClearPatient(Engine& e);

// The electrode pads, dragged from the tray or from a misplaced position on the chest.
enum class Pad { White, Red };
enum class PadTarget { WhiteZone, RedZone, Torso, Tray };
// Starts a drag; false when the pad is refused (a patient below the pediatric minimum).
bool StartPadDrag(Engine& e, Pad pad);
bool StartMisplacedPadDrag(Engine& e, Pad pad);
void PressMisplacedPad(Engine& e, Pad pad);
// An attempt to attach or to analyze below the pediatric minimum: its messages and -300 (not
// applied to an attachment while the score is at -5000 or lower).
void ChargePediatricLimit(Engine& e, const std::string& attempt, bool floorAtMinus5000);
// The drop target under a point of the patient view: a zone, else the chest, else none.
std::optional<PadTarget> PadTargetAt(const Engine& e, int x, int y);
// Whether the target takes the pad being dragged.
bool AcceptsPad(const Engine& e, PadTarget target);
// A drop; left and top place a pad dropped on the chest outside the zones.
void DropPad(Engine& e, PadTarget target, int left = 0, int top = 0);
void EndPadDrag(Engine& e, Pad pad, bool fromMisplaced);

// The troubleshooting faults, as TroubleKind holds them.
inline constexpr int kTroubleLooseElectrode = 1;
inline constexpr int kTroubleMotion = 2;
inline constexpr int kTroubleLowBattery = 3;
// How many outcomes the fault roll has for the odds in percent (0: no roll, never a fault).
int TroubleRollRange(int odds);
// The fault an analyze request raises now (0: none); the roll re-seeds the generator from the
// clock. At most one fault per scenario, never in Tutorial or on a hypothermic patient.
int DrawTroubleKind(Engine& e);
// The draw and the fault's effect within an analyze request: true when the request ends there
// (a loose electrode or a low battery); motion lets the analysis start and holds it.
bool RaiseTrouble(Engine& e);
// The Trouble button (its menu pops up in the front end) and the three commands of its menu.
void TroubleButton(Engine& e);
void ReattachElectrode(Engine& e);
void ReplaceBattery(Engine& e);
void StopMotion(Engine& e);
// The step expected once the device is ready again after a fault: clearing first where the
// protocol asks for it and nobody has cleared yet, else the analyze key (as the monitor's rules).
int StepAfterTrouble(const Engine& e);
// A press on the red pad's zone puts a loose pad back.
void PressRedPadZone(Engine& e);

// The countdown display: 0:09, 0:59, 1:05.
std::string CountdownText(int seconds);
// Current guidelines: "START CPR" with its voice, and the two minutes of CPR count down (at the
// OPTCPRCOMP speed); the next analysis follows their end.
inline constexpr int kCPRCycleSeconds = 120;
void PromptCPRCycle(Engine& e);

// The timer handlers of the device, part by part.
void RegisterAedTimers(Engine& e);
void RegisterPowerTimers(Engine& e);
void RegisterAnalysisTimers(Engine& e);
void RegisterShockTimers(Engine& e);
void RegisterPromptTimers(Engine& e);
void RegisterTroubleTimers(Engine& e);

}  // namespace ardentix
