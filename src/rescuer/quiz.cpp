// The CPR quiz: the question the CPR button asks before CPR starts, its spin buttons and the
// verdict on its answer.
#include <string>
#include <vector>

#include "core/course.h"
#include "core/engine.h"
#include "monitor/monitor.h"
#include "rescuer/own.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

constexpr int kRightPoints = 25;
constexpr int kWrongPoints = 50;

const std::string& option(const Engine& e, Opt opt) {
    return e.settings.Text(opt);
}

bool configured(const Engine& e, Opt period) {
    return option(e, period) != "0";
}

bool pediatricQuestionDue(const Engine& e) {
    const ScenarioState& s = e.state;
    return s.PatientCategory == kPediatric && e.settings.On(Opt::OPTCALL911) &&
           !s.PediatricTimeAnswered;
}

// The seconds question belongs to a CPR start in the first analyses of a scenario, or to the
// first start on a pediatric patient when the rescuer phones first.
bool timeQuestionDue(const Engine& e) {
    const ScenarioState& s = e.state;
    // Today's guidelines: every cycle lasts two minutes; the question comes with the first CPR
    // after an analysis.
    if (CurrentGuidelines(e))
        return s.AnalysisCount > 0 && !s.AnalysesComplete && !s.ShockTimeAnswered;
    const bool considered = (!s.AnalysesComplete && s.AnalysesSinceShock < 3 &&
                             (s.AnalysisCount > 0 || configured(e, Opt::OptCPR0Length))) ||
                            pediatricQuestionDue(e);
    if (!considered) return false;
    return (!s.InitialTimeAnswered && configured(e, Opt::OptCPR0Length)) ||
           (!s.ShockTimeAnswered && s.AnalysisCount > 0) ||
           (!s.NoShockTimeAnswered && configured(e, Opt::OptCPR2Length) &&
            (s.AnalysisCount == 1 || s.AnalysesSinceShock > 1 || s.CPRAfterStackedShocks)) ||
           pediatricQuestionDue(e);
}

void prepareTimeQuestion(Engine& e) {
    e.screen.Edit(El::QuizLabel1).text = "How many seconds of CPR?";
    e.screen.Edit(El::QuizLabel2).text = "seconds";
    Element& seconds = e.screen.Edit(El::QuizEDIT1);
    seconds.text = "0";
    seconds.maxLength = 3;
    e.screen.Edit(El::QuizPanel2).visible = false;
}

void showQuiz(Engine& e) {
    e.screen.Edit(El::QuizWindow).visible = true;
    e.screen.SetFocus(El::QuizEDIT1);
}

bool timeQuestionShown(const Engine& e) {
    return !e.screen.Get(El::QuizPanel2).visible;
}

int floorToFive(int v) {
    return (v >= 0 ? v / 5 : (v - 4) / 5) * 5;
}

// Seconds go in whole fives: up to the next multiple above (to 185 at most), down to the next
// multiple below; nothing goes below 0, and a typed value above 200 comes down to 195.
int spinSeconds(int v, bool up) {
    if (up) return v <= 180 ? floorToFive(v) + 5 : v;
    if (v < 1) return v;
    if (v > 200) return 195;
    const int below = v % 5 == 0 ? v - 5 : floorToFive(v);
    return below < 0 ? 0 : below;
}

// Compressions and breaths go one at a time, from 0 to 30.
int spinCount(int v, bool up) {
    if (up) return v < 30 ? v + 1 : v;
    return v > 0 ? v - 1 : v;
}

void rightAnswer(Engine& e, const std::string& line0, const std::string& line1 = "") {
    ChangeScore(e, kRightPoints);
    ShowScore(e);
    ShowMessage(e, line0, line1);
}

void closeQuiz(Engine& e) {
    e.screen.Edit(El::QuizWindow).visible = false;
    e.screen.SetFocus(El::CPRBUTTON);
}

// --- The ratio verdict. ---

// Today's guidelines: the ratio CPR itself keeps, 30 compressions to 2 breaths, 15 to 2 for a
// child of 8 or less with two rescuers.
void currentRatioVerdict(Engine& e) {
    const std::string right = std::to_string(CompressionsPerSeries(e));
    const std::string breaths = std::to_string(BreathsPerSeries(e));
    if (e.screen.Get(El::QuizEDIT1).text == right && e.screen.Get(El::QuizEdit2).text == breaths) {
        rightAnswer(e, right + " compressions to " + breaths + " rescue breaths",
                    "is correct (+ 25).");
    } else {
        Deduct(e, kWrongPoints, "Incorrect. The correct answer is",
               right + " compressions and " + breaths + " rescue breaths (-50).",
               "Entered wrong number of compressions to rescue breaths (-50).");
    }
}

// The classic answers: 15:2, and 5:1 for a child of 8 or less or with the 5:1 option.
void classicRatioVerdict(Engine& e) {
    const ScenarioState& s = e.state;
    const bool child = e.settings.On(Opt::Opt2CPR) || s.PatientAge <= 8;
    const std::string& compressions = e.screen.Get(El::QuizEDIT1).text;
    const std::string& breaths = e.screen.Get(El::QuizEdit2).text;
    const char* report = "Entered wrong number of compressions to rescue breaths (-50).";
    if (child) {
        if (compressions == "5" && breaths == "1") {
            rightAnswer(e, "5 compressions to 1 rescue breath", "is correct (+ 25).");
        } else {
            Deduct(e, kWrongPoints, "Incorrect. The correct answer is",
                   "5 compressions and 1 rescue breath (-50).", report);
        }
    } else if (compressions == "15" && breaths == "2") {
        rightAnswer(e, "15 compressions to 2 rescue breaths", "is correct (+ 25).");
    } else {
        Deduct(e, kWrongPoints, "Incorrect. The correct answer is",
               "15 compressions and 2 rescue breaths (-50).", report);
    }
}

void ratioVerdict(Engine& e) {
    RescuerState& rescuer = OwnRescuer(e);
    if (CurrentGuidelines(e)) {
        currentRatioVerdict(e);
    } else {
        classicRatioVerdict(e);
    }
    rescuer.CPRStarted = true;
    rescuer.RatioAnswered = true;
    // A seconds question may follow for the same start.
    if (e.settings.On(Opt::OPTCPRTIME)) rescuer.TimeVerdictGiven = false;
}

// --- The seconds verdicts: each names the period it expects and, in order, the situations in
// which an answer other than that period is charged. Where none holds, the answer is right. ---

struct TimeFault {
    bool (*holds)(const Engine&);
    const char* line1;
    const char* report;
};

struct TimeVerdict {
    const std::string& (*expected)(const Engine&);
    std::vector<TimeFault> faults;
    bool RescuerState::*answered;
};

const char* const kForCPRTime = "seconds for CPR time (-50).";

const std::string& initialPeriod(const Engine& e) {
    return option(e, Opt::OptCPR0Length);
}
const std::string& analysisPeriod(const Engine& e) {
    return option(e, Opt::OptCPR1Length);
}
const std::string& noShockPeriod(const Engine& e) {
    return option(e, Opt::OptCPR2Length);
}
const std::string& pediatricPeriod(const Engine& e) {
    return configured(e, Opt::OptCPR0Length) ? initialPeriod(e) : analysisPeriod(e);
}

bool always(const Engine&) {
    return true;
}

const TimeVerdict kInitialVerdict{initialPeriod,
                                  {{[](const Engine& e) {
                                        return e.state.CPRCount == 0 &&
                                               e.state.AnalysisCount == 0 &&
                                               configured(e, Opt::OptCPR0Length);
                                    },
                                    "seconds for initial CPR sequence (-50).",
                                    "Entered wrong CPR length for initial CPR sequence (-50)."}},
                                  &RescuerState::InitialTimeAnswered};

const TimeVerdict kAfterAnalysisVerdict{
    analysisPeriod,
    {{[](const Engine& e) { return e.state.CPRCount > 0 && e.state.ShockCount == 3; },
      "seconds for CPR time after 3 stacked shocks (-50).",
      "Entered wrong CPR time after 3 stacked shocks (-50)."},
     {[](const Engine& e) {
          return e.state.PatientCategory == kPediatric && e.settings.On(Opt::OPTCALL911);
      },
      kForCPRTime, "Entered wrong CPR time (-50)."},
     {[](const Engine& e) { return e.state.AnalysisCount > 0; }, kForCPRTime,
      "Entered wrong CPR time (-50)."}},
    &RescuerState::ShockTimeAnswered};

const TimeVerdict kNoShockVerdict{
    noShockPeriod,
    {{[](const Engine& e) { return e.state.AnalysisCount > 0 && e.state.ShockCount == 0; },
      kForCPRTime, "Entered wrong CPR time (-50)."},
     {[](const Engine& e) {
          return configured(e, Opt::OptCPR2Length) && e.state.AnalysesSinceShock > 1;
      },
      kForCPRTime, "Entered wrong CPR length after No Shock Advised (-50)."},
     {[](const Engine& e) {
          return configured(e, Opt::OptCPR2Length) && e.state.ShocksInSeries > 2;
      },
      kForCPRTime, "Entered wrong CPR length after No Shock Advised (-50)."}},
    &RescuerState::NoShockTimeAnswered};

// Today's guidelines: two minutes, for every patient and every cycle.
const std::string& currentPeriod(const Engine&) {
    static const std::string kTwoMinutes = "120";
    return kTwoMinutes;
}

const TimeVerdict kCurrentVerdict{currentPeriod,
                                  {{always, kForCPRTime, "Entered wrong CPR time (-50)."}},
                                  &RescuerState::ShockTimeAnswered};

// A pediatric patient's CPR lasts the initial period, or the period after an analysis when no
// initial period is set. An answer naming that period is right.
const TimeVerdict kPediatricVerdict{pediatricPeriod,
                                    {{always, kForCPRTime, "Entered wrong CPR length (-50)."}},
                                    &RescuerState::PediatricTimeAnswered};

void timeVerdict(Engine& e, const TimeVerdict& verdict) {
    RescuerState& rescuer = OwnRescuer(e);
    const std::string& answer = e.screen.Get(El::QuizEDIT1).text;
    const std::string& expected = verdict.expected(e);
    const TimeFault* fault = nullptr;
    if (answer != expected) {
        for (const TimeFault& f : verdict.faults) {
            if (f.holds(e)) {
                fault = &f;
                break;
            }
        }
    }
    if (fault) {
        Deduct(e, kWrongPoints, "Incorrect. The correct answer is " + expected, fault->line1,
               fault->report);
    } else {
        rightAnswer(e, "Your answer is correct (+ 25).");
    }
    rescuer.TimeVerdictGiven = true;
    rescuer.*verdict.answered = true;
}

// --- Which verdict an OK gives, first match. ---

struct VerdictRule {
    bool (*holds)(const Engine&);
    void (*judge)(Engine&);
};

const VerdictRule kVerdictRules[] = {
    {[](const Engine& e) { return e.settings.On(Opt::OPTCOMPRVENT) && !e.state.RatioAnswered; },
     ratioVerdict},
    {[](const Engine& e) { return CurrentGuidelines(e); },
     [](Engine& e) { timeVerdict(e, kCurrentVerdict); }},
    {[](const Engine& e) {
         return e.settings.On(Opt::OPTCPRTIME) && e.state.PatientCategory == kPediatric;
     },
     [](Engine& e) { timeVerdict(e, kPediatricVerdict); }},
    {[](const Engine& e) {
         return e.state.CPRCount == 0 && e.state.AnalysisCount == 0 &&
                configured(e, Opt::OptCPR0Length);
     },
     [](Engine& e) { timeVerdict(e, kInitialVerdict); }},
    {[](const Engine& e) {
         return e.state.AnalysisCount > 0 && !configured(e, Opt::OptCPR2Length);
     },
     [](Engine& e) { timeVerdict(e, kAfterAnalysisVerdict); }},
    {[](const Engine& e) {
         return configured(e, Opt::OptCPR2Length) &&
                (e.state.AnalysisCount == 1 || e.state.AnalysesSinceShock > 1);
     },
     [](Engine& e) { timeVerdict(e, kNoShockVerdict); }},
    {[](const Engine& e) {
         return configured(e, Opt::OptCPR2Length) && e.state.CPRAfterStackedShocks;
     },
     [](Engine& e) { timeVerdict(e, kNoShockVerdict); }},
    {always, [](Engine& e) { timeVerdict(e, kAfterAnalysisVerdict); }},
};

}  // namespace

bool AskQuizQuestion(Engine& e) {
    if (e.settings.On(Opt::OPTCOMPRVENT) && !e.state.RatioAnswered) {
        // The ratio question is the one the quiz holds from the scenario's start.
        showQuiz(e);
        return true;
    }
    if (e.settings.On(Opt::OPTCPRTIME) && !e.state.TimeVerdictGiven && timeQuestionDue(e)) {
        prepareTimeQuestion(e);
        showQuiz(e);
        return true;
    }
    return false;
}

bool QuizOpen(const Engine& e) {
    return e.screen.Get(El::QuizWindow).visible;
}

void QuizSpin(Engine& e, QuizSpinner spinner, bool up) {
    const bool breaths = spinner == QuizSpinner::Breaths;
    if (!breaths && e.state.LastAction != "CPR") return;
    El name = breaths ? El::QuizEdit2 : El::QuizEDIT1;
    // A text that is not a whole number counts as 0.
    const int value = WholeNumber(e.screen.Get(name).text).value_or(0);
    const int spun =
        !breaths && timeQuestionShown(e) ? spinSeconds(value, up) : spinCount(value, up);
    // At a limit the field keeps what it shows.
    if (spun != value) e.screen.Edit(name).text = std::to_string(spun);
}

void QuizOk(Engine& e) {
    const Screen& sc = e.screen;
    LogAction(e, "Quiz answer " + sc.Get(El::QuizEDIT1).text +
                     (sc.Get(El::QuizPanel2).visible ? ":" + sc.Get(El::QuizEdit2).text : ""));
    for (const VerdictRule& rule : kVerdictRules) {
        if (rule.holds(e)) {
            rule.judge(e);
            break;
        }
    }
    closeQuiz(e);
    ResumeCPRAfterQuiz(e);
}

}  // namespace ardentix
