#include "core/phases.h"

namespace ardentix {

Phases Phases::Parked() const {
    Phases p;
    // A power-up that stands still is not under way.
    p.aed.power = aed.power == Power::On ? Power::On : Power::Off;
    p.aed.round = aed.round;
    p.aed.analyzeAfresh = aed.analyzeAfresh;
    return p;
}

Phases Phases::Resumed(const Phases& paused, const Phases& now) {
    Phases p = now;
    if (paused.aed.PoweringUp()) p.aed.power = paused.aed.power;
    if (now.aed.step == AedStep::Idle) p.aed.step = paused.aed.step;
    if (now.aed.blinking == Blinking::None) p.aed.blinking = paused.aed.blinking;
    p.aed.countdown = now.aed.countdown || paused.aed.countdown;
    if (now.rescuer.check == HandsCheck::None) p.rescuer.check = paused.rescuer.check;
    if (now.rescuer.breath == Breath::None) p.rescuer.breath = paused.rescuer.breath;
    p.rescuer.maskHeld = now.rescuer.maskHeld || paused.rescuer.maskHeld;
    p.rescuer.compressing = now.rescuer.compressing || paused.rescuer.compressing;
    return p;
}

}  // namespace ardentix
