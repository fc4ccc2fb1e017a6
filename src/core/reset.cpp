#include <algorithm>
#include <cstdint>

#include "core/elements.h"
#include "core/engine.h"
#include "core/scenario.h"

namespace ardentix {

namespace {

void show(Engine& e, const char* name, bool visible) {
    e.screen.Edit(name).visible = visible;
}

void resetAed(Engine& e) {
    show(e, "ADVICEPANEL", false);
    show(e, "AEDPANEL", true);
    const bool twoButton = e.settings.On(Opt::OPTTWOBUTTONAED);
    show(e, "AnalyzeButtonCover", twoButton);
    for (const char* name : {"ANALYZEBUTTONGraphic", "AnalyzeLED", "AnalyzeButton"}) {
        show(e, name, !twoButton);
    }
    show(e, "CloseupPanel", false);
    // The countdown speed is fixed for the scenario when it starts: a tick every value times
    // 10 ms. A speed of 0 or less would give a timer that never fires and a countdown that never
    // ends, so the tick comes after at least 1 ms, and after at most the longest wait an int holds.
    const int64_t tick = int64_t{e.settings.Value(Opt::OPTCPRCOMP)} * 10;
    e.timers.SetInterval(TimerId::CPRCountdownTimer,
                         static_cast<int>(std::clamp<int64_t>(tick, 1, INT32_MAX)));
    for (const char* name : {"LOWBATTERYINDICATOR", "NumShockLabel", "POWERBUTTON2", "TIMELabel"}) {
        show(e, name, false);
    }
}

void resetMenus(Engine& e) {
    const Settings& o = e.settings;
    show(e, "AllABCsmenuItem", o.On(Opt::OPTautoABCS));
    show(e, "abcsSEPERATOR", o.On(Opt::OPTautoABCS));
    show(e, "ABCsCALL911MenuItem", o.On(Opt::OPTCALL911) && e.state.PatientCategory != kPediatric);
    show(e, "TroubleElectrodeMenuItem", o.On(Opt::OptElectrodeTrouble));
    show(e, "TroubleMOTIONMenuItem", o.On(Opt::OptMOTIONTrouble));
    show(e, "TroubleBatteryMenuItem", o.On(Opt::OptBatteryTrouble));
}

void resetPanels(Engine& e) {
    e.screen.Edit("CloseupPanel").top = kCloseupTop;
    Element& panel = e.screen.Edit("FINALERRORPanel");
    panel.visible = false;
    panel.left = (kClientWidth - panel.width) / 2 + 4;
    panel.top = (kClientHeight - panel.height) / 2 - 25;
    e.screen.Edit("finalMSGdisplay").lines.clear();

    const Element& loosePad = e.screen.Get("PADWHITE3");
    for (const char* zone : {"PADWHITEzoneTorso", "PADREDzoneTorso"}) {
        Element& z = e.screen.Edit(zone);
        z.width = loosePad.width;
        z.height = loosePad.height;
        z.visible = false;  // no pad lies misplaced
    }
}

// The CPR quiz goes back to its ratio question.
void resetQuiz(Engine& e) {
    e.screen.Edit("TCPRFORM.Label1").text = "What ratio of chest compressions to rescue breaths?";
    e.screen.Edit("TCPRFORM.Label2").text = "compressions";
    for (const char* field : {"TCPRFORM.EDIT1", "TCPRFORM.Edit2"}) {
        Element& f = e.screen.Edit(field);
        f.text = "0";
        f.maxLength = 2;
    }
    show(e, "TCPRFORM.Panel2", true);
}

void resetDisplays(Engine& e) {
    for (const char* line : {"AEDDISPLAY0", "AEDDISPLAY1"}) {
        Element& d = e.screen.Edit(line);
        d.text.clear();
        d.left = kDisplayLeft;
    }
    for (const char* name : {"MSG0", "MSG1", "NumShockLabel", "TIMELabel"}) {
        e.screen.Edit(name).text.clear();
    }
    e.screen.Edit("SCOREDisplay").text = "0";
    for (const char* item :
         {"ABCsResponsivenessMenuItem", "ABCsAirwayMenuItem", "ABCsBreathingMenuItem",
          "ABCsVentilationMenuItem", "ABCsCirculationMenuItem", "ABCsCALL911MenuItem"}) {
        e.screen.Edit(item).checked = false;
    }
    e.screen.Edit("Pause").enabled = false;
    e.screen.Edit("Advice").enabled = true;
    e.screen.Edit("PatientHistory").enabled = false;
    for (const char* field :
         {"TForm2.SCOREEDIT", "TForm2.ElapsedTimeEDIT", "TForm2.SHOCKTIMEEDIT"}) {
        e.screen.Edit(field).text.clear();
    }
    e.screen.Edit("TForm2.Errors").lines.clear();
    e.screen.Edit("DEDUCTIONSList").lines.clear();
    show(e, "PAUSEDLabel", false);
}

void resetPatientView(Engine& e) {
    Element& picture = e.screen.Edit("PATIENTGraphic");
    picture.color = Color::Black;  // black until the patient is drawn
    picture.width = kPatientViewSize;
    picture.height = kPatientViewSize;
    for (const char* name : {"AIRWAY", "SCENOVERLabel", "BPCUFF", "BPCUFFSMALL", "Breathcheck",
                             "PULSEHAND", "SHAKE", "SHOUT", "PageControl1"}) {
        show(e, name, false);
    }
    e.screen.Edit("ENDBUTTON").bold = true;
    for (const char* pad : {"PADRED", "PADWHITE"}) {
        Element& p = e.screen.Edit(pad);
        p.visible = true;
        p.enabled = false;  // draggable once the scenario begins
    }
    for (const char* light : {"PowerLight", "AnalyzeLED", "ShockLED"}) {
        e.screen.Edit(light).color = Color::White;
    }
}

}  // namespace

void ResetScenario(Engine& e) {
    resetAed(e);
    resetMenus(e);
    e.ResetScenarioFields();
    resetPanels(e);
    resetQuiz(e);
    resetDisplays(e);
    resetPatientView(e);
    e.log.Clear(e.timers.Now(), e.ports.clock->LongTime());
}

}  // namespace ardentix
