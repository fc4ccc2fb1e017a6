// The electrode pads: dragged from the tray onto the chest; either pad may go on either zone.
#include "aed/aed.h"
#include "aed/own.h"
#include "aed/phase.h"
#include "core/course.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "monitor/deductions.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

struct PadNames {
    El tray;
    El misplaced;
    const char* action;
};

PadNames names(Pad pad) {
    return pad == Pad::White ? PadNames{El::PADWHITE, El::PADWHITEzoneTorso, "Electrode1"}
                             : PadNames{El::PADRED, El::PADREDzoneTorso, "Electrode2"};
}

bool& dragging(AedState& s, Pad pad) {
    return pad == Pad::White ? s.WhiteDragging : s.RedDragging;
}
bool& attached(AedState& s, Pad pad) {
    return pad == Pad::White ? s.WhitePadAttached : s.RedPadAttached;
}
bool& misplaced(AedState& s, Pad pad) {
    return pad == Pad::White ? s.WhiteMisplaced : s.RedMisplaced;
}

// A misplaced pad lies on the chest, where it can be picked up again.
void showMisplaced(Engine& e) {
    e.screen.Edit(El::PADWHITEzoneTorso).visible = e.state.WhiteMisplaced;
    e.screen.Edit(El::PADREDzoneTorso).visible = e.state.RedMisplaced;
}

// Current guidelines treat a child below the pediatric minimum with the child key.
bool pediatricRefused(const Engine& e) {
    return e.state.PatientCategory == kPediatric && !e.settings.On(Opt::OPTPEDSMONITOR) &&
           !CurrentGuidelines(e);
}

bool abcsDone(const ScenarioState& s) {
    return s.ResponsivenessChecked && s.AirwayOpened && s.BreathingChecked && s.TwoBreathsGiven &&
           s.PulseChecked;
}

// A correct zone: the pad being dragged lies there now.
void dropOnZone(Engine& e, PadTarget zone) {
    const ScenarioState& s = e.state;
    AedState& aed = OwnAed(e);
    const bool whiteZone = zone == PadTarget::WhiteZone;
    const bool occupied =
        whiteZone ? (s.WhitePadAttached && !s.PadsSwapped) || (s.RedPadAttached && s.PadsSwapped)
                  : (s.WhitePadAttached && s.PadsSwapped) || (s.RedPadAttached && !s.PadsSwapped);
    if (occupied) return;
    AwardStep(e);
    // The flags decide which pad this is, the white one first.
    Pad pad = Pad::White;
    if (s.WhiteDragging) {
        aed.PadsSwapped = !whiteZone;
        aed.WhiteDragging = false;
        aed.WhitePadAttached = true;
        aed.WhiteMisplaced = false;
        if (whiteZone) HideWhiteGuide(e);
    } else if (s.RedDragging) {
        pad = Pad::Red;
        aed.PadsSwapped = whiteZone;
        aed.RedDragging = false;
        aed.RedPadAttached = true;
        if (!whiteZone) aed.RedMisplaced = false;
    } else {
        return;
    }
    showMisplaced(e);
    if (whiteZone) {
        if (pad == Pad::Red) HideRedGuide(e);
    } else {
        HideRedGuide(e);
        e.screen.Edit(names(pad).tray).visible = false;
    }
    EvaluateNextStep(e);
    if (s.WhitePadAttached && s.RedPadAttached) {
        e.screen.Edit(El::MSG0).text.clear();
        e.screen.Edit(El::MSG1).text.clear();
        SetPrompt(e, "");
        if (e.screen.Get(El::PowerLight).color == Color::Green) {
            Move(e, AedMove::PromptAnalyzeSoon);
            if (s.TroubleOccurred) {
                SetNextStep(e, StepAfterTrouble(e));
            }
        }
    } else {
        e.screen.Edit(El::MSG0).text = "Attach the other electrode.";
        e.screen.Edit(El::MSG1).text.clear();
    }
    Redraw(e);
    AdviseInTutorial(e);
}

void dropOnTorso(Engine& e, int left, int top) {
    Deduct(e, 100, "Incorrect location. Try again (-100).", "",
           "Incorrect electrode placement (-100).");
    for (Pad pad : {Pad::White, Pad::Red}) {
        if (!dragging(OwnAed(e), pad)) continue;
        Element& lying = e.screen.Edit(names(pad).misplaced);
        lying.left = left;
        lying.top = top;
        misplaced(OwnAed(e), pad) = true;
        dragging(OwnAed(e), pad) = false;
        e.screen.Edit(names(pad).tray).visible = false;
        showMisplaced(e);
        Redraw(e);
        return;
    }
}

}  // namespace

void ChargePediatricLimit(Engine& e, const std::string& attempt, bool floorAtMinus5000) {
    const ScenarioState& s = e.state;
    const std::string limit = e.settings.Text(Opt::OptMinimumAge);
    const bool byAge = e.settings.On(Opt::Age);
    ShowMessage(
        e,
        byAge ? "Under min. age (" + limit + " years)." : "Under min. weight (" + limit + " lbs).",
        "DO NOT attach device (-300).");
    Deductions(e).Add("Attempted to " + attempt + " patient under minimum " +
                      (byAge ? "age" : "weight") + " (-300).");
    OwnAed(e).PediatricLimitViolated = true;
    if (!floorAtMinus5000 || s.Score > -5000) ChangeScore(e, -300);
    ShowScore(e);
}

bool StartPadDrag(Engine& e, Pad pad) {
    const ScenarioState& s = e.state;
    if (pediatricRefused(e)) {
        ChargePediatricLimit(e, "attach electrode to", true);
        dragging(OwnAed(e), pad) = false;
        return false;
    }
    if (!abcsDone(s) && !s.ABCsPhaseClosed) {
        Deduct(e, 300, "Did not complete ABCs before", "attaching AED (-300).",
               "Did not complete ABCs before attaching AED (-300).");
        CloseABCsPhase(e);
    }
    if (CPRIsRunning(e)) StopCPR(e);
    e.screen.Edit(names(pad).tray).visible = false;
    NoteAction(e, names(pad).action);
    dragging(OwnAed(e), pad) = true;
    return true;
}

bool StartMisplacedPadDrag(Engine& e, Pad pad) {
    if (CPRIsRunning(e)) StopCPR(e);
    NoteAction(e, names(pad).action);
    dragging(OwnAed(e), pad) = true;
    misplaced(OwnAed(e), pad) = false;
    showMisplaced(e);
    Redraw(e);
    return true;
}

void PressMisplacedPad(Engine& e, Pad pad) {
    misplaced(OwnAed(e), pad) = false;
    showMisplaced(e);
    Redraw(e);
}

std::optional<PadTarget> PadTargetAt(const Engine& e, int x, int y) {
    const auto inside = [&](El name) {
        const Element& el = e.screen.Get(name);
        return x >= el.left && x < el.left + el.width && y >= el.top && y < el.top + el.height;
    };
    if (inside(El::PADWhiteZone)) return PadTarget::WhiteZone;
    if (inside(El::PADRedZONE)) return PadTarget::RedZone;
    if (inside(El::PATIENTTorsoZONE)) return PadTarget::Torso;
    return std::nullopt;
}

bool AcceptsPad(const Engine& e, PadTarget target) {
    if (target == PadTarget::Tray) return true;
    return !pediatricRefused(e);
}

void DropPad(Engine& e, PadTarget target, int left, int top) {
    switch (target) {
        case PadTarget::WhiteZone:
        case PadTarget::RedZone:
            dropOnZone(e, target);
            break;
        case PadTarget::Torso:
            dropOnTorso(e, left, top);
            break;
        case PadTarget::Tray:
            break;
    }
}

void EndPadDrag(Engine& e, Pad pad, bool fromMisplaced) {
    const std::string which = pad == Pad::White ? "White pad " : "Red pad ";
    LogAction(e, which + (attached(OwnAed(e), pad)    ? "placed"
                          : misplaced(OwnAed(e), pad) ? "misplaced"
                          : fromMisplaced             ? "removed"
                                                      : "not placed"));
    // A drag that ended without a placement lets go of the pad: a later drop of the other pad
    // must not be counted for this one.
    dragging(OwnAed(e), pad) = false;
    if (fromMisplaced) {
        if (!attached(OwnAed(e), pad)) misplaced(OwnAed(e), pad) = true;
        showMisplaced(e);
        Redraw(e);
        return;
    }
    e.screen.Edit(names(pad).tray).visible =
        !(attached(OwnAed(e), pad) || misplaced(OwnAed(e), pad));
}

}  // namespace ardentix
