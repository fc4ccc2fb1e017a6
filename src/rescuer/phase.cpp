// The rescuer's phase and its moves, with the timers each move starts and stops. The timers run
// under their names and intervals because scripts read them (NAME.running, NAME.interval).
#include "rescuer/phase.h"

#include "core/course.h"
#include "core/engine.h"
#include "rescuer/own.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

using T = TimerId;

bool bag(const Engine& e) {
    return e.settings.On(Opt::OptBVM);
}

}  // namespace

const RescuerPhase& RescuerPhaseOf(const Engine& e) {
    return e.rescuer().Phase;
}

void Move(Engine& e, RescuerMove move) {
    RescuerPhase& p = OwnRescuer(e).Phase;
    Scheduler& t = e.timers;
    switch (move) {
        case RescuerMove::StartShaking:
            t.Start(T::ResponsivenessTimer);
            t.Stop(T::Shaketimer);
            p.check = HandsCheck::Shaking;
            break;
        case RescuerMove::Shake:
            t.Stop(T::ResponsivenessTimer);
            t.Start(T::Shaketimer);
            break;
        case RescuerMove::Shout:
            t.Start(T::ResponsivenessTimer);
            t.Stop(T::Shaketimer);
            break;
        case RescuerMove::EndShaking:
            t.Stop(T::ResponsivenessTimer);
            t.Stop(T::Shaketimer);
            p.check = HandsCheck::None;
            break;
        case RescuerMove::StartBreathingCheck:
            t.SetInterval(T::BREATHINGTimer, 4000);
            t.Start(T::BREATHINGTimer);
            p.check = HandsCheck::Breathing;
            break;
        case RescuerMove::EndBreathingCheck:
            t.Stop(T::BREATHINGTimer);
            p.check = HandsCheck::None;
            break;
        case RescuerMove::StartPulseCheck:
            t.Start(T::PULSETIMER);
            p.check = HandsCheck::Pulse;
            break;
        case RescuerMove::EndPulseCheck:
            t.Stop(T::PULSETIMER);
            t.Stop(T::HIDEBVMTimer);
            p.check = HandsCheck::None;
            p.maskHeld = false;
            break;
        case RescuerMove::StartRescueBreaths:
            t.SetInterval(T::VENTILATION1Timer, 1000);
            t.Start(T::VENTILATION1Timer);
            p.breath = Breath::Due;
            break;
        case RescuerMove::BreathsOfCPR:
            t.SetInterval(T::VENTILATION1Timer, 500);
            t.Start(T::VENTILATION1Timer);
            p.breath = Breath::Due;
            break;
        case RescuerMove::BreathIn:
            t.SetInterval(T::VENTILATION2Timer, bag(e) ? 1000 : 2500);
            t.Stop(T::VENTILATION1Timer);
            t.Start(T::VENTILATION2Timer);
            p.breath = Breath::In;
            break;
        case RescuerMove::NextBreath:
            t.Start(T::VENTILATION1Timer);
            p.breath = Breath::Due;
            break;
        case RescuerMove::SecondBreathOfCPR:
            t.SetInterval(T::VENTILATION1Timer, 1500);
            t.Start(T::VENTILATION1Timer);
            p.breath = Breath::Due;
            break;
        case RescuerMove::RescueBreathing:
            t.SetInterval(T::VENTILATION1Timer, 5000);
            t.Start(T::VENTILATION1Timer);
            p.breath = Breath::Due;
            break;
        case RescuerMove::BreathOut:
            t.Stop(T::VENTILATION2Timer);
            // The next breath may be due already.
            if (p.breath == Breath::In) p.breath = Breath::None;
            t.SetInterval(T::HIDEBVMTimer, bag(e) ? 1000 : 500);
            break;
        case RescuerMove::HoldMask:
            t.Start(T::HIDEBVMTimer);
            p.maskHeld = true;
            break;
        case RescuerMove::EndMaskHold:
            t.Stop(T::HIDEBVMTimer);
            t.Stop(T::VENTILATION1Timer);
            p.maskHeld = false;
            if (p.breath == Breath::Due) p.breath = Breath::None;
            break;
        case RescuerMove::StartCompressions:
            // Classic: a tick for the hands' way down and one for the way up, 100 compressions a
            // minute; current guidelines: a compression a tick, 110 a minute.
            t.SetInterval(T::CPRTimer, CurrentGuidelines(e) ? kCurrentCompressionMs : 300);
            t.Start(T::CPRTimer);
            p.compressing = true;
            FollowCompressionRate(e);
            break;
        case RescuerMove::StopCompressions:
            t.Stop(T::CPRTimer);
            p.compressing = false;
            FollowCompressionRate(e);
            // Hands stopped on their way down come up; classic CPR leaves them where the last
            // tick put them (the next start begins from up).
            if (t.Running(T::CPRReleaseTimer)) Move(e, RescuerMove::ReleaseChest);
            break;
        case RescuerMove::PressChest:
            // The way up begins halfway through, counted from this compression's tick.
            t.Stop(T::CPRReleaseTimer);
            t.SetInterval(T::CPRReleaseTimer, kCurrentChestReleaseMs);
            t.Start(T::CPRReleaseTimer);
            OwnRescuer(e).CPRPhase = true;
            break;
        case RescuerMove::ReleaseChest:
            t.Stop(T::CPRReleaseTimer);
            OwnRescuer(e).CPRPhase = false;
            break;
        case RescuerMove::StopBreaths:
            t.Stop(T::VENTILATION1Timer);
            t.Stop(T::VENTILATION2Timer);
            p.breath = Breath::None;
            break;
    }
}

}  // namespace ardentix
