// One seeded walk: its option set, and step after step a user action among those available or
// a wait, with a checkpoint every few hundred steps.
#include <algorithm>
#include <random>

#include "aed/aed.h"
#include "random_walk.h"
#include "scenario/input.h"

namespace ardentix::walk {

namespace {

// A fixed generator and plain modulo, so that a seed walks the same way everywhere.
class Rng {
  public:
    explicit Rng(uint32_t seed) : gen_(seed) {}
    int Below(int n) { return n <= 1 ? 0 : static_cast<int>(gen_() % static_cast<uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<size_t>(Below(static_cast<int>(items.size())))];
    }

  private:
    std::mt19937 gen_;
};

struct OptionChoice {
    const char* name;
    std::vector<std::string> values;
};

// The options that change what a scenario does, with values worth trying. CPR periods reach
// past the 255 seconds the count holds; the countdown speed stays in the range an instructor
// uses, so that no countdown outlasts a checkpoint's ten minutes.
const std::vector<OptionChoice>& optionChoices() {
    static const std::vector<OptionChoice> kChoices = [] {
        std::vector<OptionChoice> c;
        for (const char* box : {"OPTAUTOANALYZE",
                                "OPTTWOBUTTONAED",
                                "SOUNDCheckBox",
                                "IDNumCheckBox",
                                "OptVoice",
                                "OPTBPCHECK",
                                "OPTCALL911",
                                "OPTCLEARShock",
                                "OPTClearAnalyze",
                                "OptPulseAfterCPR",
                                "OptPulseAfter3rdShock",
                                "OPTautoABCS",
                                "OptBVM",
                                "OPTOneRescuer",
                                "Opt2CPR",
                                "OPTCOMPRVENT",
                                "OPTCPRTIME",
                                "OPTPEDScen",
                                "OPTPEDSMONITOR",
                                "OptHypo",
                                "OPTOneShockScenario",
                                "OPTSCREENSIZE",
                                "OptBatteryTrouble",
                                "OptElectrodeTrouble",
                                "OptMOTIONTrouble"}) {
            c.push_back({box, {"on", "off"}});
        }
        c.push_back({"Age", {"on"}});
        c.push_back({"Weight", {"on"}});
        c.push_back({"OptMinimumAge", {"1", "5", "8", "12", "18", "40", "55", "90"}});
        c.push_back({"OptHypoShocks", {"0", "1", "2", "3", "5"}});
        for (const char* cpr : {"OptCPR1Length", "OptCPR2Length"})
            c.push_back({cpr, {"0", "5", "15", "30", "60", "120", "300"}});
        c.push_back({"OPTCPRCOMP", {"50", "75", "100", "120"}});
        c.push_back({"OPTtestScenarios", {"1", "2", "3", "5"}});
        c.push_back({"OptTroubleOdds", {"0", "20", "100"}});
        return c;
    }();
    return kChoices;
}

const std::vector<std::string> kNames = {
    "Kim",
    "Lee",
    "Ana Ruiz",
    " ",
    "",
    "A trainee whose name runs far past the field",
    "O'Hara \"Doc\"",
};
const std::vector<std::string> kIds = {"1234", "0",        " ",
                                       "",     "ID-99-ZZ", "123456789012345678901234"};
const std::vector<std::string> kDropTargets = {"PADWhiteZone", "PADRedZONE", "PATIENTTorsoZONE",
                                               "PADPanel", "nowhere"};

bool blank(const std::string& text) {
    return text.empty() || text == " ";
}

// How often a control is chosen, against 10 for an ordinary one. Starting and confirming a log-in
// come often, so that most of a walk is spent in scenarios; ending a scenario and quitting come
// seldom, so that scenarios get deep. The key the device asks for comes often, as a trainee
// follows the prompts, so that walks reach the shocks and what follows them.
int clickWeight(const Engine& e, std::string_view name) {
    const std::string& prompt = PromptLine(e);
    const bool shockDue =
        e.state.ShockAdvised && (prompt == prompt::kPushToShock || prompt == prompt::kStandClear ||
                                 prompt == prompt::kShockAdvised);
    if (name == "MenuStart" || name == "STARTImage" || name == "MENU_IMAGE") return 30;
    if (name == "TUserNAMEFORM.OKBtn") return 40;
    if (name == "TUserNAMEFORM.CancelBtn") return 3;
    if (name == "TForm2.Next" || name == "TForm2.RepeatButton") return 25;
    if (name == "ENDBUTTON" || name == "SCENOVERLabel") return 2;
    if (name == "QUITImage" || name == "TForm2.QUIT") return 1;
    // Now and then the instructor's pages, and an option changed there.
    if (name == "OPTIONSImage") return 3;
    if (ControlByName(name)) return 2;
    if (name == "PowerButton" && !e.state.AEDOn) return 20;
    if (name == "ShockButton" && shockDue) return prompt == prompt::kPushToShock ? 80 : 20;
    if (name == "CLEARBUTTON" && (shockDue || prompt == prompt::kPushAnalyze)) return 60;
    if (name == "AnalyzeButton" && prompt == prompt::kPushAnalyze) return 60;
    if (name == "CPRBUTTON" && prompt == prompt::kStartCPR) return 40;
    if (name == "PulseButton" && (prompt == prompt::kCheckPulse || prompt == prompt::kIfNoPulse))
        return 40;
    return 10;
}

int menuWeight(std::string_view name) {
    if (name == "Quit") return 1;
    if (name == "AboutArdentix1") return 3;
    if (name.starts_with("ABCs") || name == "AllABCsmenuItem") return 6;
    return 10;
}

struct Candidate {
    Step step;
    int weight = 0;
};

Step chooseAction(const Engine& e, Rng& rng, const WalkConfig& config) {
    const AvailableInputs in = InputsAvailable(e);
    std::vector<Candidate> all;
    for (El el : in.clicks) {
        Step s;
        s.kind = Step::Kind::Click;
        const std::string_view name = NameOf(el);
        s.name = name;
        all.push_back({s, clickWeight(e, name)});
    }
    for (El el : in.menus) {
        if (el == El::Pause && !config.pause) continue;
        Step s;
        s.kind = Step::Kind::Menu;
        const std::string_view name = NameOf(el);
        s.name = name;
        all.push_back({s, menuWeight(name)});
    }
    for (El el : in.pads) {
        Step s;
        s.kind = Step::Kind::Drag;
        const std::string_view name = NameOf(el);
        s.name = name;
        s.target = rng.Pick(kDropTargets);
        s.left = rng.Below(441) - 20;
        s.top = rng.Below(441) - 20;
        all.push_back({s, 15});
    }
    for (El el : in.fields) {
        Step s;
        s.kind = Step::Kind::Type;
        const std::string_view name = NameOf(el);
        s.name = name;
        const bool id = name == "TUserNAMEFORM.IDEdit";
        s.text = rng.Pick(id ? kIds : kNames);
        all.push_back({s, blank(e.screen.Get(el).text) ? 40 : 5});
    }
    int total = 0;
    for (const Candidate& c : all)
        total += c.weight;
    if (total == 0) return Step{Step::Kind::Wait, "", "", "", 0, 0, 1000, {}, false};
    int pick = rng.Below(total);
    for (const Candidate& c : all) {
        if (pick < c.weight) return c.step;
        pick -= c.weight;
    }
    return all.back().step;
}

Step chooseStep(const Engine& e, Rng& rng, const WalkConfig& config) {
    if (!rng.Chance(40)) return chooseAction(e, rng, config);
    Step wait;
    wait.kind = Step::Kind::Wait;
    // Mostly the short pauses of a trainee at work, sometimes a long look.
    wait.ms = rng.Chance(85) ? 50 + rng.Below(4951) : 5000 + rng.Below(55001);
    return wait;
}

BoxPolicy randomAnswers(Rng& rng) {
    BoxPolicy p;
    p.message = [&rng](BoxButtons buttons, const std::string&) {
        switch (buttons) {
            case BoxButtons::Ok:
                return BoxAnswer::Ok;
            case BoxButtons::YesNo:
                return rng.Chance(50) ? BoxAnswer::Yes : BoxAnswer::No;
            case BoxButtons::OkCancel:
                return rng.Chance(50) ? BoxAnswer::Ok : BoxAnswer::Cancel;
        }
        return BoxAnswer::Ok;
    };
    p.input = [&rng](const std::string&, const std::string& initial) -> std::optional<std::string> {
        switch (rng.Below(3)) {
            case 0:
                return initial;
            case 1:
                return std::nullopt;
            default:
                return std::string("walk");
        }
    };
    return p;
}

// What the walk running now would need to be reproduced, for a report written as the process
// dies.
struct Current {
    uint32_t seed = 0;
    std::vector<Setting> settings;
    std::deque<std::string> recent;
    int step = 0;
    std::vector<std::string> start;  // the start of the program now running, as script lines
};
Current* current = nullptr;

std::string settingsText(const std::vector<Setting>& settings) {
    std::string text;
    for (const Setting& s : settings)
        text += (text.empty() ? "" : ", ") + s.name + "=" + s.value;
    return text.empty() ? "(first-start options)" : text;
}

}  // namespace

std::vector<Setting> DrawSettings(uint32_t seed) {
    Rng rng(seed ^ 0x5eed5u);
    std::vector<Setting> settings;
    for (const OptionChoice& c : optionChoices()) {
        if (rng.Chance(50)) settings.push_back({c.name, rng.Pick(c.values)});
    }
    for (size_t i = settings.size(); i > 1; --i)
        std::swap(settings[i - 1], settings[static_cast<size_t>(rng.Below(static_cast<int>(i)))]);
    return settings;
}

std::string CurrentWalk() {
    if (!current) return "";
    std::string text = "seed " + std::to_string(current->seed) + ", step " +
                       std::to_string(current->step) + ", options " +
                       settingsText(current->settings) + "\nthe program was started with:\n";
    for (const std::string& line : current->start)
        text += "  " + line + "\n";
    text += "last steps:\n";
    for (const std::string& line : current->recent)
        text += "  " + line + "\n";
    return text;
}

Coverage& Coverage::operator+=(const Coverage& o) {
    for (size_t i = 0; i < stepsByPhase.size(); ++i) {
        stepsByPhase[i] += o.stepsByPhase[i];
        checkpointsByPhase[i] += o.checkpointsByPhase[i];
    }
    scenarios += o.scenarios;
    analyses += o.analyses;
    shocks += o.shocks;
    programs += o.programs;
    return *this;
}

std::string Coverage::Text() const {
    int steps = 0;
    for (int n : stepsByPhase)
        steps += n;
    const auto share = [steps](int n) { return std::to_string(steps ? 100 * n / steps : 0) + "%"; };
    return std::to_string(programs) + " program start(s), " + std::to_string(scenarios) +
           " scenarios, " + std::to_string(analyses) + " analyses, " + std::to_string(shocks) +
           " shocks; steps " + share(stepsByPhase[0]) + " in a running scenario, " +
           share(stepsByPhase[1]) + " paused, " + share(stepsByPhase[2]) + " outside, " +
           share(stepsByPhase[3]) + " behind a window; checkpoints " +
           std::to_string(checkpointsByPhase[0]) + " in a running scenario, " +
           std::to_string(checkpointsByPhase[1]) + " paused, " +
           std::to_string(checkpointsByPhase[2]) + " outside";
}

std::vector<Failure> Walk(uint32_t seed, const WalkConfig& config, const std::string& dir,
                          Coverage& coverage) {
    Rng rng(seed);
    Current context{seed, DrawSettings(seed), {}, 0, {}};
    context.settings.insert(context.settings.end(), config.extraSettings.begin(),
                            config.extraSettings.end());
    current = &context;
    const auto note = [&context](const std::string& line) {
        context.recent.push_back(line);
        if (context.recent.size() > 30) context.recent.pop_front();
    };
    int nextCheck = 150 + rng.Below(200);
    std::vector<Failure> failures;
    // A program that quits, or that went wrong, makes way for a fresh one.
    while (context.step < config.steps) {
        Life life;
        life.date = {2026, 1 + rng.Below(12), 1 + rng.Below(28)};
        life.millisOfDay = rng.Below(24 * 3600 * 1000);
        life.settings = context.settings;
        Session session(dir, life, randomAnswers(rng));
        session.Start();
        ++coverage.programs;
        context.start = StartLines(life);
        for (const std::string& line : context.start)
            note(line);
        std::vector<Step> steps;
        while (context.step < config.steps && !session.ended()) {
            const Phase phase = PhaseOf(session.engine());
            // A checkpoint falls due every few hundred steps; it waits a while for a running
            // scenario, and never comes while a window holds the main window.
            const bool check = context.step >= nextCheck && phase != Phase::Blocked &&
                               (phase == Phase::Scenario || context.step >= nextCheck + 100);
            ++coverage.stepsByPhase[static_cast<size_t>(phase)];
            const ScenarioState before = session.engine().state;
            const bool outside = phase == Phase::Outside;
            Step step;
            if (check) {
                ++coverage.checkpointsByPhase[static_cast<size_t>(phase)];
                step.kind = Step::Kind::Checkpoint;
                nextCheck = context.step + 150 + rng.Below(200);
            } else {
                step = chooseStep(session.engine(), rng, config);
            }
            // Noted before it runs, so that a report written as the process dies names it too.
            note(ScriptLine(step));
            std::vector<Finding> findings = session.Do(step, true);
            context.recent.pop_back();
            if (step.skipped) {
                findings.push_back({"input refused though listed as available",
                                    ScriptLine(step) + "; " + Describe(session.engine()),
                                    {}});
            }
            const ScenarioState& after = session.engine().state;
            if (outside && PhaseOf(session.engine()) == Phase::Scenario) ++coverage.scenarios;
            if (after.AnalysisCount > before.AnalysisCount) {
                coverage.analyses += after.AnalysisCount - before.AnalysisCount;
            }
            if (after.ShockCount > before.ShockCount) {
                coverage.shocks += after.ShockCount - before.ShockCount;
            }
            ++context.step;
            for (const std::string& line : AnswerLines(step))
                note(line);
            note(ScriptLine(step));
            steps.push_back(step);
            if (!findings.empty()) {
                failures.push_back(Failure{seed,
                                           context.settings,
                                           life,
                                           steps,
                                           findings,
                                           {context.recent.begin(), context.recent.end()},
                                           context.step});
                break;
            }
        }
    }
    current = nullptr;
    return failures;
}

}  // namespace ardentix::walk
