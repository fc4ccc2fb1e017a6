#include "core/engine.h"
#include "rescuer/rescuer.h"

namespace ardentix {

void UpdateVitalSigns(Engine& e) {
    ScenarioState& s = e.state;
    if (s.PulseState == kShockable || s.PulseState == kNothingToShock) {
        s.PulseRate = 0;
        s.BreathingRate = 0;
        s.BloodPressure = "0";
        return;
    }
    if (s.PulseState != kPulseRestored || s.VitalsDrawn) return;
    s.PulseRate = static_cast<uint8_t>(56 + e.random(20));
    // Two patients in five have a pulse but do not breathe and need rescue breathing.
    const int r = e.random(5);
    if (r == 0) {
        s.BreathingRate = static_cast<uint8_t>(12 + e.random(4));
    } else if (r <= 2) {
        s.BreathingRate = static_cast<uint8_t>(12 + e.random(3));
    } else {
        s.BreathingRate = 0;
    }
    s.VitalsDrawn = true;
    static constexpr const char* kPressures[] = {"90/66", "106/72", "110/78", "114/80"};
    s.BloodPressure = kPressures[e.random(4)];
}

}  // namespace ardentix
