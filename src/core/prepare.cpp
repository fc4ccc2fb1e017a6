#include <algorithm>
#include <string>

#include "core/course.h"
#include "core/patient_tables.h"
#include "core/scenario.h"

namespace ardentix {

namespace {

int categoryOfDraw(const Engine& e, int d) {
    const bool pediatric = e.settings.On(Opt::OPTPEDScen);
    switch (d) {
        case 4:
            return pediatric ? kChild : kAdult;
        case 5:
            return pediatric ? kPediatric : kRefractory;
        case 6:
            return e.settings.On(Opt::OptHypo) ? kHypothermic : kAdult;
        case 7:
            return kRefractory;
        default:
            return kAdult;
    }
}

// A random order of the five kinds of test patient: each entry is drawn again until it differs
// from the entries before it.
void drawTestPlan(Engine& e) {
    auto& plan = OwnFlow(e).TestPlan;
    for (size_t i = 0; i < plan.size(); ++i) {
        int entry = 0;
        do {
            entry = e.random(5);
        } while (std::find(plan.begin(), plan.begin() + static_cast<long>(i), entry) !=
                 plan.begin() + static_cast<long>(i));
        plan[i] = static_cast<uint8_t>(entry);
    }
}

struct Draw {
    int category;
    int shocks;
};

void applyTestKind(Engine& e, Draw& p, int d) {
    if (e.state.TestScenarioCount == 0) drawTestPlan(e);
    const int kind =
        e.state.TestScenarioCount <= 4 ? e.state.TestPlan[e.state.TestScenarioCount] : d;
    switch (kind) {
        case 0:
            p.category = kAdult;
            p.shocks = 0;
            break;
        case 1:
        case 4:
            p.category = kAdult;
            break;
        case 2:
            p.category = kRefractory;
            break;
        case 3:
            p.category = e.settings.On(Opt::OPTPEDScen) ? kPediatric : kAdult;
            break;
        default:
            break;
    }
    if (p.category == kAdult && p.shocks != 0) {
        p.shocks = e.random(3) + 1;
    } else if (p.category == kRefractory) {
        p.shocks = 3 + e.random(2);
    }
}

Draw drawCategoryAndShocks(Engine& e) {
    const bool tutorial = e.state.Mode == kTutorial;
    int d = e.random(8);
    Draw p{categoryOfDraw(e, d), 0};
    if (p.category == kHypothermic) {
        d = e.random(2);  // the hypothermia coin
        if (d == 0) p.category = kAdult;
    }
    p.shocks = e.random(6);
    if (e.settings.On(Opt::OPTOneShockScenario)) p = {kAdult, 1};
    if (e.state.Mode == kTest) applyTestKind(e, p, d);
    if (tutorial) p.category = kAdult;
    if (p.category == kHypothermic)
        p.shocks = std::clamp(e.settings.Value(Opt::OptHypoShocks), 0, 255);
    if (p.category == kRefractory && p.shocks < 3) p.shocks = p.shocks == 1 ? 5 : 4;
    if (p.category == kPediatric) {
        // Below the minimum the classic protocol leaves nothing to shock. Today's guidelines
        // treat such a child with the child key: half of them (an odd draw) need one shock.
        p.shocks = CurrentGuidelines(e) ? p.shocks % 2 : 0;
    }
    if (tutorial) p.shocks = 2;
    return p;
}

// An adult never gets the picture set of the scenario before.
int drawAdultSet(Engine& e, int previous) {
    static constexpr int kSet[6] = {0, 1, 2, 4, 5, 6};
    static constexpr int kInstead[6] = {6, 4, 5, 0, 1, 2};
    const int p = e.random(6);
    return kSet[p] == previous ? kInstead[p] : kSet[p];
}

int choosePictureSet(Engine& e, int category) {
    const int previous = e.state.PictureSet;
    if (e.state.Mode == kTutorial) {
        // The Tutorial patient is an adult and keeps the set of the scenario before; after a
        // child scenario it would stand on the child picture, so it takes the first adult set.
        return previous == kChildSet ? 0 : previous;
    }
    if (category == kChild || category == kPediatric) return kChildSet;
    return drawAdultSet(e, previous);
}

void writeAdultHistory(Engine& e) {
    FlowState& s = OwnFlow(e);
    const AgeTens tens = kAdultAgeTens[s.PictureSet];
    const int t = tens.base + e.random(tens.spread);
    const int units = e.random(10);
    s.PatientHistory = std::to_string(t * 10 + units) + " y.o. male";
    // AppendAdultHistory: the sentence is drawn in Tutorial mode too, where the first is used.
    std::string_view sentence = kHypothermicHistory;
    if (s.PatientCategory != kHypothermic) {
        const int n = e.random(static_cast<int>(kAdultHistory.size()));
        sentence = kAdultHistory[s.Mode == kTutorial ? 0 : n];
    }
    s.PatientHistory = "Your patient is a " + s.PatientHistory + std::string(sentence);
}

void writeChildHistory(Engine& e) {
    FlowState& s = OwnFlow(e);
    // A hand-written minimum beyond a million is held there: the ages and weights drawn around
    // it must stay within an int.
    const int limit = std::clamp(e.settings.Value(Opt::OptMinimumAge), -1'000'000, 1'000'000);
    const bool byWeight = e.settings.On(Opt::Weight);
    int age = 0;
    int weight = 0;
    if (s.PatientCategory == kPediatric) {
        // Below the minimum. With a weight limit the age formula would turn the weight into
        // an age (52 years for a 55-pound limit), so such a child is five or six years old.
        const int r = e.random(2);
        age = byWeight ? 6 - r : limit - 2 - r;
        if (byWeight) weight = limit - 5 * (e.random(4) + 1);
    } else {
        age = byWeight ? 6 + e.random(4) : limit + e.random(3);
        if (byWeight) weight = limit + 5 * (e.random(4) + 1);
    }
    // A very low minimum must not give a negative age or weight.
    age = std::max(age, 0);
    s.PatientAge = age;
    s.PatientHistory = std::to_string(age) + " y.o. male";
    if (byWeight) s.PatientHistory += " " + std::to_string(std::max(weight, 1)) + " pounds";
    const int n = e.random(static_cast<int>(kChildHistory.size()));
    s.PatientHistory = "Your patient is a " + s.PatientHistory + std::string(kChildHistory[n]);
}

void applyOverride(Engine& e, const PatientOverride& o) {
    FlowState& s = OwnFlow(e);
    if (o.category) s.PatientCategory = static_cast<uint8_t>(*o.category);
    if (o.shocks) {
        s.ShocksNeeded = static_cast<uint8_t>(*o.shocks);
    } else if (s.PatientCategory == kPediatric) {
        s.ShocksNeeded = 0;  // as the draw has it: nothing to shock below the minimum
    } else if (s.PatientCategory == kHypothermic) {
        s.ShocksNeeded =
            static_cast<uint8_t>(std::clamp(e.settings.Value(Opt::OptHypoShocks), 0, 255));
    }
    if (o.age) s.PatientAge = *o.age;
    s.PulseState = s.ShocksNeeded > 0 ? kShockable : kNothingToShock;
    s.StepPoints = static_cast<uint8_t>(StepPointsFor(e));
    if (o.pictureSet) {
        s.PictureSet = static_cast<uint8_t>(*o.pictureSet);
        LoadPictures(e);
    }
    PlaceOverlays(e);
}

}  // namespace

int StepPointsFor(const Engine& e) {
    const ScenarioState& s = e.state;
    const bool autoAnalyze = e.settings.On(Opt::OPTAUTOANALYZE);
    int points = kStepPointsByShocks[std::min<size_t>(s.ShocksNeeded, 5)][autoAnalyze ? 1 : 0];
    if (s.PatientCategory == kRefractory) {
        points -= 10;
    } else if (e.settings.On(Opt::OptVoice)) {
        points -= 5;
    }
    // Below the minimum the classic protocol has steps of its own; today's guidelines treat the
    // child with the adult's steps.
    if (s.PatientCategory == kPediatric && !CurrentGuidelines(e)) {
        points = e.settings.On(Opt::OPTPEDSMONITOR) ? 95 : 135;
    }
    if (s.PatientCategory == kHypothermic) points = autoAnalyze ? 55 : 45;
    return points;
}

void PrepareScenario(Engine& e) {
    FixGuidelines(e);
    FlowState& s = OwnFlow(e);
    s.PatientAge = 12;
    const Draw p = drawCategoryAndShocks(e);
    s.PatientCategory = static_cast<uint8_t>(p.category);
    s.ShocksNeeded = static_cast<uint8_t>(p.shocks);
    s.PulseState = s.ShocksNeeded > 0 ? kShockable : kNothingToShock;
    s.PictureSet = static_cast<uint8_t>(choosePictureSet(e, p.category));
    s.StepPoints = static_cast<uint8_t>(StepPointsFor(e));

    LoadPictures(e);
    if (e.ended) return;
    e.screen.Edit(El::PATIENTGraphic).left = 0;
    if (s.PictureSet == kChildSet) {
        writeChildHistory(e);
    } else {
        writeAdultHistory(e);
    }
    PlaceOverlays(e);

    if (e.nextPatient) {
        const PatientOverride o = *e.nextPatient;
        e.nextPatient.reset();
        applyOverride(e, o);
    }
}

}  // namespace ardentix
