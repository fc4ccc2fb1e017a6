// The device's phase and its moves, with the timers each move starts and stops. The timers run
// under their names and intervals because scripts read them (NAME.running, NAME.interval); the
// order of the calls below is the order in which they take their turns.
#include "aed/phase.h"

#include "aed/own.h"
#include "core/engine.h"

namespace ardentix {

namespace {

using T = TimerId;

class Timers {
  public:
    explicit Timers(Engine& e) : t_(e.timers) {}
    const Timers& start(T id) const {
        t_.Start(id);
        return *this;
    }
    const Timers& stop(T id) const {
        t_.Stop(id);
        return *this;
    }
    const Timers& interval(T id, int ms) const {
        t_.SetInterval(id, ms);
        return *this;
    }

  private:
    Scheduler& t_;
};

// The interval of IFNOPULSETimer in each round of the chain.
int ifNoPulseInterval(ChainRound round) {
    switch (round) {
        case ChainRound::AfterResult:
            return 3000;
        case ChainRound::DuringCountdown:
            return 2001;
        case ChainRound::AfterCountdown:
            return 2002;
        case ChainRound::AwaitingAnalyze:
            return 2003;
    }
    return 3000;
}

void setRound(Engine& e, AedPhase& p, ChainRound round) {
    p.round = round;
    e.timers.SetInterval(T::IFNOPULSETimer, ifNoPulseInterval(round));
}

// What follows "IF NO PULSE" in each round; the next round where the chain moves on.
void afterIfNoPulse(Engine& e, AedPhase& p, Timers t) {
    t.stop(T::FLASHLEDtimer).stop(T::IFNOPULSETimer);
    p.blinking = Blinking::None;
    switch (p.round) {
        case ChainRound::AfterResult:
            setRound(e, p, ChainRound::DuringCountdown);
            [[fallthrough]];
        case ChainRound::DuringCountdown:
            t.stop(T::CHECKFORPULSETimer).interval(T::STARTCPRTimer, 2000).start(T::STARTCPRTimer);
            p.step = AedStep::StartCPRDue;
            break;
        case ChainRound::AfterCountdown:
            setRound(e, p, ChainRound::AwaitingAnalyze);
            t.interval(T::PUSHANALYZEafterCPRTIMER, 2000).start(T::PUSHANALYZEafterCPRTIMER);
            p.step = AedStep::AnalyzeAfterCPRDue;
            break;
        case ChainRound::AwaitingAnalyze:
            t.stop(T::STARTCPRTimer)
                .interval(T::PUSHANALYZEafterCPRTIMER, 2001)
                .start(T::PUSHANALYZEafterCPRTIMER);
            p.step = AedStep::AnalyzeAfterCPRAgain;
            break;
    }
}

}  // namespace

const AedPhase& DevicePhase(const Engine& e) {
    return e.aed().Phase;
}

void Move(Engine& e, AedMove move) {
    AedPhase& p = OwnAed(e).Phase;
    const Timers t(e);
    switch (move) {
        case AedMove::SwitchOn:
            t.start(T::POWERTIMER2);
            p.power = Power::PoweringOn;
            break;
        case AedMove::LightOn:
            t.interval(T::POWERTimer, 2000).start(T::POWERTimer).stop(T::POWERTIMER2);
            p.power = Power::SelfTest;
            break;
        case AedMove::SelfTestDone:
            t.stop(T::POWERTimer);
            p.power = Power::On;
            break;
        case AedMove::PromptAnalyzeSoon:
            t.interval(T::PUSHANALYZETimer, 1500).start(T::PUSHANALYZETimer);
            p.step = AedStep::AnalyzeDue;
            p.analyzeAfresh = true;
            break;
        case AedMove::PromptAnalyzeAgain:
            // With the interval the last request or disarm gave.
            t.start(T::PUSHANALYZETimer);
            p.step = AedStep::AnalyzeDue;
            break;
        case AedMove::PromptAnalyze:
            t.interval(T::FLASHLEDtimer, 500).start(T::FLASHLEDtimer);
            t.interval(T::PUSHANALYZETimer, 2000).stop(T::PUSHANALYZETimer);
            p.step = AedStep::AnalyzePrompted;
            p.blinking = Blinking::AnalyzeLight;
            p.analyzeAfresh = false;
            break;
        case AedMove::StopSequences:
            // The motion hold, the disarm time and the battery symbol cannot run while a request
            // is taken: their prompts or the fault refuse it.
            t.stop(T::CPRCountdownTimer);
            t.stop(T::ANALYZINGNOWTimer)
                .stop(T::CHARGETimer)
                .stop(T::CHECKFORPULSETimer)
                .stop(T::ENDAnalyzeTimer)
                .stop(T::FLASHLEDtimer)
                .stop(T::IFNOPULSETimer)
                .stop(T::PUSHANALYZETimer);
            t.interval(T::PUSHANALYZETimer, 2000);
            t.stop(T::PUSHANALYZEafterCPRTIMER)
                .stop(T::PUSHTOSHOCKTimer)
                .stop(T::SHOCKTimer)
                .stop(T::STANDCLEARTIMER)
                .stop(T::STANDCLEARAnalyzeTIMER)
                .stop(T::STANDCLEARShockTimer)
                .stop(T::STARTCPRTimer)
                .stop(T::AutoAnalyzeDelay);
            p.step = AedStep::Idle;
            p.countdown = false;
            p.blinking = Blinking::None;
            p.analyzeAfresh = false;
            break;
        case AedMove::StartAnalysis:
            t.interval(T::STANDCLEARAnalyzeTIMER, 500).start(T::STANDCLEARAnalyzeTIMER);
            p.step = AedStep::AnalysisStarting;
            break;
        case AedMove::ShowStandClear:
            t.interval(T::ANALYZINGNOWTimer, 4000)
                .start(T::ANALYZINGNOWTimer)
                .stop(T::STANDCLEARAnalyzeTIMER);
            p.step = AedStep::StandClear;
            break;
        case AedMove::ShowAnalyzing:
            t.interval(T::STANDCLEARTIMER, 1000).start(T::STANDCLEARTIMER);
            // A running result timer keeps its period: the five seconds count from the first
            // display.
            t.interval(T::ENDAnalyzeTimer, 5000).start(T::ENDAnalyzeTimer);
            t.stop(T::ANALYZINGNOWTimer);
            p.step = AedStep::Analysing;
            break;
        case AedMove::AlternateStandClear:
            t.stop(T::STANDCLEARTIMER)
                .interval(T::ANALYZINGNOWTimer, 1000)
                .start(T::ANALYZINGNOWTimer);
            p.step = AedStep::AnalysingStandClear;
            break;
        case AedMove::HoldForMotion:
            t.start(T::MOTIONDETECTEDTimer).interval(T::MOTIONDETECTEDTimer, 1000);
            t.stop(T::ANALYZINGNOWTimer).stop(T::STANDCLEARTIMER).stop(T::ENDAnalyzeTimer);
            p.step = AedStep::MotionHold;
            break;
        case AedMove::WarnOfMotion:
            t.interval(T::MOTIONDETECTEDTimer, 1001);
            p.step = AedStep::MotionWarning;
            break;
        case AedMove::EndMotion:
            // A new five-second period begins 1500 ms later.
            t.start(T::ANALYZINGNOWTimer).interval(T::ANALYZINGNOWTimer, 1500);
            t.stop(T::MOTIONDETECTEDTimer).stop(T::ENDAnalyzeTimer);
            p.step = AedStep::MotionEnded;
            break;
        case AedMove::StopMotion:
            t.stop(T::STANDCLEARTIMER)
                .interval(T::ANALYZINGNOWTimer, 4000)
                .start(T::ANALYZINGNOWTimer)
                .stop(T::MOTIONDETECTEDTimer);
            p.step = AedStep::StandClear;
            break;
        case AedMove::AdviseNoShock:
            t.stop(T::ANALYZINGNOWTimer).stop(T::STANDCLEARTIMER);
            t.interval(T::CHECKFORPULSETimer, 3000).start(T::CHECKFORPULSETimer);
            setRound(e, p, ChainRound::AfterResult);
            t.stop(T::ENDAnalyzeTimer);
            p.step = AedStep::CheckPulseDue;
            break;
        case AedMove::AdviseShock:
            t.stop(T::ANALYZINGNOWTimer).stop(T::STANDCLEARTIMER);
            t.interval(T::CHARGETimer, 3000).start(T::CHARGETimer);
            setRound(e, p, ChainRound::AfterResult);
            t.stop(T::ENDAnalyzeTimer);
            p.step = AedStep::ShockAdvised;
            break;
        case AedMove::Charge:
            t.interval(T::STANDCLEARShockTimer, 6000).start(T::STANDCLEARShockTimer);
            t.stop(T::CHARGETimer);
            p.step = AedStep::Charging;
            break;
        case AedMove::ShowShockStandClear:
            t.stop(T::STANDCLEARShockTimer)
                .interval(T::PUSHTOSHOCKTimer, 2500)
                .start(T::PUSHTOSHOCKTimer);
            p.step = p.step == AedStep::Charging ? AedStep::Charged : AedStep::ArmedStandClear;
            break;
        case AedMove::ShowPushToShock:
            t.interval(T::FLASHLEDtimer, 600).start(T::FLASHLEDtimer).stop(T::PUSHTOSHOCKTimer);
            t.interval(T::STANDCLEARShockTimer, 1000).start(T::STANDCLEARShockTimer);
            // The 13 seconds count from the first "PUSH TO SHOCK".
            t.start(T::DISARMTimer);
            p.step = AedStep::Armed;
            p.blinking = Blinking::ShockLight;
            break;
        case AedMove::Disarm:
            t.stop(T::STANDCLEARShockTimer).stop(T::PUSHTOSHOCKTimer);
            t.interval(T::PUSHANALYZETimer, 2500);
            t.stop(T::FLASHLEDtimer).stop(T::DISARMTimer);
            p.step = AedStep::Idle;
            p.blinking = Blinking::None;
            p.analyzeAfresh = true;
            break;
        case AedMove::AwaitAutoAnalysis:
            t.interval(T::AutoAnalyzeDelay, 2000).start(T::AutoAnalyzeDelay);
            p.step = AedStep::Disarmed;
            break;
        case AedMove::EndAutoAnalysisWait:
            t.stop(T::AutoAnalyzeDelay);
            p.step = AedStep::Idle;
            break;
        case AedMove::PressShock:
            t.stop(T::DISARMTimer).stop(T::FLASHLEDtimer);
            p.blinking = Blinking::None;
            break;
        case AedMove::AbandonShock:
            t.stop(T::PUSHTOSHOCKTimer).stop(T::STANDCLEARShockTimer);
            p.step = AedStep::Idle;
            break;
        case AedMove::DeliverShock:
            t.stop(T::PUSHTOSHOCKTimer).stop(T::STANDCLEARShockTimer);
            t.interval(T::CHECKFORPULSETimer, 3000).stop(T::CHECKFORPULSETimer);
            t.interval(T::SHOCKTimer, 1000).start(T::SHOCKTimer);
            p.step = AedStep::Shocked;
            break;
        case AedMove::EndShock:
            t.stop(T::SHOCKTimer);
            p.step = AedStep::Idle;
            break;
        case AedMove::CheckPulseAfterShocks:
            t.interval(T::CHECKFORPULSETimer, 2000).start(T::CHECKFORPULSETimer);
            p.step = AedStep::CheckPulseDue;
            break;
        case AedMove::ShowCheckPulse:
            t.start(T::IFNOPULSETimer).stop(T::CHECKFORPULSETimer);
            p.step = AedStep::IfNoPulseDue;
            break;
        case AedMove::ShowIfNoPulse:
            afterIfNoPulse(e, p, t);
            break;
        case AedMove::ShowStartCPR:
            t.stop(T::STARTCPRTimer).start(T::IFNOPULSETimer);
            p.step = AedStep::IfNoPulseDue;
            break;
        case AedMove::StartCountdown:
            t.start(T::CPRCountdownTimer);
            p.countdown = true;
            break;
        case AedMove::EndCountdown:
            t.stop(T::CPRCountdownTimer).stop(T::STARTCPRTimer).stop(T::IFNOPULSETimer);
            p.countdown = false;
            if (p.step == AedStep::StartCPRDue || p.step == AedStep::IfNoPulseDue ||
                p.step == AedStep::CPRCycle) {
                p.step = AedStep::Idle;
            }
            break;
        case AedMove::CheckPulseAfterCountdown:
            setRound(e, p, ChainRound::AfterCountdown);
            t.start(T::CHECKFORPULSETimer);
            p.step = AedStep::CheckPulseDue;
            break;
        case AedMove::ShowAnalyzeAfterCPR:
            t.interval(T::FLASHLEDtimer, 500).start(T::FLASHLEDtimer);
            t.interval(T::PUSHANALYZEafterCPRTIMER, 2001).stop(T::PUSHANALYZEafterCPRTIMER);
            t.start(T::IFNOPULSETimer);
            p.step = AedStep::IfNoPulseDue;
            p.blinking = Blinking::AnalyzeLight;
            break;
        case AedMove::ShowLowBattery:
            t.start(T::LOWBATTERYINDICATORTIMER);
            p.step = AedStep::LowBattery;
            break;
        case AedMove::ReplaceBattery:
            t.stop(T::LOWBATTERYINDICATORTIMER);
            p.power = Power::Off;
            p.step = AedStep::Idle;
            break;
        case AedMove::AdviseNoShockThenCPR:
            t.stop(T::ANALYZINGNOWTimer).stop(T::STANDCLEARTIMER);
            t.interval(T::STARTCPRTimer, 1000).start(T::STARTCPRTimer);
            t.stop(T::ENDAnalyzeTimer);
            p.step = AedStep::CPRPromptDue;
            break;
        case AedMove::StartCPRCycle:
            t.stop(T::STARTCPRTimer).start(T::CPRCountdownTimer);
            p.step = AedStep::CPRCycle;
            p.countdown = true;
            break;
    }
}

}  // namespace ardentix
