#include <algorithm>
#include <cstdint>

#include "core/course.h"
#include "core/dates.h"
#include "core/elements.h"
#include "core/engine.h"
#include "core/layout.h"
#include "core/scenario.h"

namespace ardentix {

namespace {

void show(Engine& e, El name, bool visible) {
    e.screen.Edit(name).visible = visible;
}

void resetAed(Engine& e) {
    show(e, El::ADVICEPANEL, false);
    show(e, El::AEDPANEL, true);
    const bool twoButton = e.settings.On(Opt::OPTTWOBUTTONAED);
    show(e, El::AnalyzeButtonCover, twoButton);
    for (El name : {El::ANALYZEBUTTONGraphic, El::AnalyzeLED, El::AnalyzeButton}) {
        show(e, name, !twoButton);
    }
    show(e, El::CloseupPanel, false);
    // The countdown speed is fixed for the scenario when it starts: a tick every value times
    // 10 ms. A speed of 0 or less would give a timer that never fires and a countdown that never
    // ends, so the tick comes after at least 1 ms, and after at most the longest wait an int holds.
    const int64_t tick = int64_t{e.settings.Value(Opt::OPTCPRCOMP)} * 10;
    e.timers.SetInterval(TimerId::CPRCountdownTimer,
                         static_cast<int>(std::clamp<int64_t>(tick, 1, INT32_MAX)));
    for (El name : {El::LOWBATTERYINDICATOR, El::NumShockLabel, El::POWERBUTTON2, El::TIMELabel}) {
        show(e, name, false);
    }
    // Every scenario begins with the child key off and its light dark.
    e.screen.Edit(El::CHILDKEY).checked = false;
    show(e, El::CHILDLED, false);
}

void resetMenus(Engine& e) {
    const Settings& o = e.settings;
    show(e, El::AllABCsmenuItem, o.On(Opt::OPTautoABCS));
    show(e, El::abcsSEPERATOR, o.On(Opt::OPTautoABCS));
    show(e, El::ABCsCALL911MenuItem,
         o.On(Opt::OPTCALL911) && e.state.PatientCategory != kPediatric);
    show(e, El::TroubleElectrodeMenuItem, o.On(Opt::OptElectrodeTrouble));
    show(e, El::TroubleMOTIONMenuItem, o.On(Opt::OptMOTIONTrouble));
    show(e, El::TroubleBatteryMenuItem, o.On(Opt::OptBatteryTrouble));
}

void resetPanels(Engine& e) {
    e.screen.Edit(El::CloseupPanel).top = kCloseupTop;
    Element& panel = e.screen.Edit(El::FINALERRORPanel);
    panel.visible = false;
    panel.left = (kClientWidth - panel.width) / 2 + 4;
    panel.top = (kClientHeight - panel.height) / 2 - 25;
    e.screen.Edit(El::finalMSGdisplay).lines.clear();

    const Element& loosePad = e.screen.Get(El::PADWHITE3);
    for (El zone : {El::PADWHITEzoneTorso, El::PADREDzoneTorso}) {
        Element& z = e.screen.Edit(zone);
        z.width = loosePad.width;
        z.height = loosePad.height;
        z.visible = false;  // no pad lies misplaced
    }
}

// The CPR quiz goes back to its ratio question.
void resetQuiz(Engine& e) {
    e.screen.Edit(El::QuizLabel1).text = "What ratio of chest compressions to rescue breaths?";
    e.screen.Edit(El::QuizLabel2).text = "compressions";
    for (El field : {El::QuizEDIT1, El::QuizEdit2}) {
        Element& f = e.screen.Edit(field);
        f.text = "0";
        f.maxLength = 2;
    }
    show(e, El::QuizPanel2, true);
}

void resetDisplays(Engine& e) {
    for (El line : {El::AEDDISPLAY0, El::AEDDISPLAY1}) {
        Element& d = e.screen.Edit(line);
        d.text.clear();
        d.left = kDisplayLeft;
    }
    for (El name : {El::MSG0, El::MSG1, El::NumShockLabel, El::TIMELabel}) {
        e.screen.Edit(name).text.clear();
    }
    e.screen.Edit(El::SCOREDisplay).text = "0";
    for (El item :
         {El::ABCsResponsivenessMenuItem, El::ABCsAirwayMenuItem, El::ABCsBreathingMenuItem,
          El::ABCsVentilationMenuItem, El::ABCsCirculationMenuItem, El::ABCsCALL911MenuItem}) {
        e.screen.Edit(item).checked = false;
    }
    e.screen.Edit(El::Pause).enabled = false;
    e.screen.Edit(El::Advice).enabled = true;
    e.screen.Edit(El::PatientHistory).enabled = false;
    for (El field : {El::SummarySCOREEDIT, El::SummaryElapsedTimeEDIT, El::SummarySHOCKTIMEEDIT}) {
        e.screen.Edit(field).text.clear();
    }
    e.screen.Edit(El::SummaryErrors).lines.clear();
    e.screen.Edit(El::DEDUCTIONSList).lines.clear();
    show(e, El::PAUSEDLabel, false);
    Element& rate = e.screen.Edit(El::CPRRate);
    rate.visible = false;
    rate.text.clear();
}

void resetPatientView(Engine& e) {
    Element& picture = e.screen.Edit(El::PATIENTGraphic);
    picture.color = Color::Black;  // black until the patient is drawn
    picture.width = kPatientViewSize;
    picture.height = kPatientViewSize;
    for (El name : {El::AIRWAY, El::SCENOVERLabel, El::BPCUFF, El::BPCUFFSMALL, El::Breathcheck,
                    El::PULSEHAND, El::SHAKE, El::SHOUT, El::PageControl1}) {
        show(e, name, false);
    }
    e.screen.Edit(El::ENDBUTTON).bold = true;
    for (El pad : {El::PADRED, El::PADWHITE}) {
        Element& p = e.screen.Edit(pad);
        p.visible = true;
        p.enabled = false;  // draggable once the scenario begins
    }
    for (El light : {El::PowerLight, El::AnalyzeLED, El::ShockLED}) {
        e.screen.Edit(light).color = Color::White;
    }
}

}  // namespace

void ResetScenario(Engine& e) {
    resetAed(e);
    resetMenus(e);
    e.ResetScenarioFields();
    // The guidelines a scenario is scored by are fixed when it starts.
    FixGuidelines(e);
    // Today's guidelines expect the call for help of every rescuer: the Phone button and the menu
    // item are offered whatever the option says.
    if (CurrentGuidelines(e)) show(e, El::ABCsCALL911MenuItem, true);
    LayoutActionBar(e);
    resetPanels(e);
    resetQuiz(e);
    resetDisplays(e);
    resetPatientView(e);
    Clock& clock = *e.ports.clock;
    e.log.Clear(e.timers.Now(), clock.LongTime(),
                IsoDateTime(clock.Today(), clock.MillisSinceMidnight(), clock.UtcOffsetMinutes()));
    if (CurrentGuidelines(e)) e.log.NoteCurrentGuidelines();
    if (CompressingByKey(e)) e.log.NoteCompressionsByKey();
}

}  // namespace ardentix
