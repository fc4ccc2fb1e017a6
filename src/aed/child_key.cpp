// The child key: a switch on the device, on the closed case and on the close-up alike. Its light
// beside it is lit whenever it is on, the device on or off. Under current guidelines it sets the
// device to pediatric energy and the shock is judged by it; the classic protocol never asks for
// it, so there it only switches and lights.
#include "aed/aed.h"
#include "aed/own.h"
#include "core/course.h"
#include "core/engine.h"
#include "core/event_log.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"

namespace ardentix {

void ChildKey(Engine& e) {
    AedState& aed = OwnAed(e);
    aed.ChildKeyOn = !aed.ChildKeyOn;
    LogAction(e, aed.ChildKeyOn ? "Child key on" : "Child key off");
    e.screen.Edit(El::CHILDKEY).checked = aed.ChildKeyOn;
    e.screen.Edit(El::CHILDLED).visible = aed.ChildKeyOn;
    // Today's guidelines score the key as a step; the classic protocol does not see it.
    if (CurrentGuidelines(e)) {
        ChildKeyTurned(e);
        AdviseInTutorial(e);
    }
}

void JudgeChildKeyAtShock(Engine& e) {
    if (!CurrentGuidelines(e)) return;
    const ScenarioState& s = e.state;
    if (s.ChildKeyOn) LogDevice(e, "Pediatric energy");
    const bool belowMinimum = s.PatientCategory == kPediatric;
    if (belowMinimum && !s.ChildKeyOn) {
        Deduct(e, 100, "Shocked child without child key (-100).", "",
               "Shocked child without child key (-100).");
    } else if (!belowMinimum && s.ChildKeyOn) {
        Deduct(e, 50, "Child key used on adult (-50).", "", "Child key used on adult (-50).");
    }
}

}  // namespace ardentix
