#include "random_walk.h"

#include <cstdio>
#include <deque>
#include <exception>
#include <limits>

#include "aed/aed.h"
#include "core/scenario.h"
#include "monitor/completion.h"
#include "monitor/monitor.h"
#include "scenario/input.h"

namespace ardentix::walk {

// Answers each box with the answer recorded for it when the step is replayed, else by the
// policy, and notes every box with its answer in the step.
class Session::Dialogs : public ardentix::Dialogs {
  public:
    explicit Dialogs(BoxPolicy policy) : policy_(std::move(policy)) {}

    void Begin(std::vector<Step::Box>* record, std::deque<std::string> queued) {
        record_ = record;
        queued_ = std::move(queued);
    }

    BoxAnswer Message(BoxKind, BoxButtons buttons, const std::string& text) override {
        BoxAnswer answer = script::DefaultButton(buttons);
        if (auto word = take()) {
            for (BoxAnswer a : {BoxAnswer::Ok, BoxAnswer::Cancel, BoxAnswer::Yes, BoxAnswer::No}) {
                if (*word == script::AnswerWord(a) && script::AnswerFits(buttons, a)) answer = a;
            }
        } else if (policy_.message) {
            answer = policy_.message(buttons, text);
        }
        if (record_) record_->push_back({script::AnswerWord(answer), text});
        return answer;
    }

    std::optional<std::string> Input(const std::string&, const std::string& prompt,
                                     const std::string& initial) override {
        std::optional<std::string> answer = initial;
        if (auto word = take()) {
            answer = *word == "cancel" ? std::nullopt : std::optional<std::string>(*word);
        } else if (policy_.input) {
            answer = policy_.input(prompt, initial);
        }
        if (record_) record_->push_back({answer.value_or("cancel"), prompt});
        return answer;
    }

    // The viewer opens the practice report, the font stays, the printer prints.
    std::optional<std::string> OpenFile(const std::string& filterName, const std::string&,
                                        const std::string&) override {
        const std::string answer = take().value_or("AEDPRAC.TXT");
        if (record_) record_->push_back({answer, filterName});
        if (answer == "cancel") return std::nullopt;
        return programDir + "/" + answer;
    }
    std::optional<Font> ChooseFont(const Font&) override {
        take();
        if (record_) record_->push_back({"cancel", "Font"});
        return std::nullopt;
    }
    bool ChoosePrinter() override {
        const bool ok = take().value_or("ok") == "ok";
        if (record_) record_->push_back({ok ? "ok" : "cancel", "Print"});
        return ok;
    }
    // The results are saved under the name proposed.
    std::optional<std::string> SaveFile(const std::string& title, const std::string&,
                                        const std::string&, const std::string&, const std::string&,
                                        const std::string& proposedName) override {
        const std::string answer = take().value_or(proposedName);
        if (record_) record_->push_back({answer, title});
        if (answer == "cancel") return std::nullopt;
        return programDir + "/" + answer;
    }

    std::string programDir;

  private:
    std::optional<std::string> take() {
        if (queued_.empty()) return std::nullopt;
        std::string word = queued_.front();
        queued_.pop_front();
        return word;
    }

    BoxPolicy policy_;
    std::vector<Step::Box>* record_ = nullptr;
    std::deque<std::string> queued_;
};

std::string Quoted(const std::string& text) {
    std::string q = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

std::string ScriptLine(const Step& s) {
    switch (s.kind) {
        case Step::Kind::Click:
            return "click " + s.name;
        case Step::Kind::Menu:
            return "menu " + s.name;
        case Step::Kind::Type:
            return "type " + s.name + " " + Quoted(s.text);
        case Step::Kind::Drag:
            return "drag " + s.name + " " + s.target + " " + std::to_string(s.left) + " " +
                   std::to_string(s.top);
        case Step::Kind::Wait:
            return "wait " + std::to_string(s.ms);
        case Step::Kind::Checkpoint:
            return "wait " + std::to_string(kIdleMs + kWatchMs) +
                   "  # checkpoint: ten idle minutes and one watched";
    }
    return "";
}

std::vector<std::string> AnswerLines(const Step& s) {
    std::vector<std::string> lines;
    for (const Step::Box& b : s.boxes)
        lines.push_back("answer " + Quoted(b.answer) + " " + Quoted(b.text));
    return lines;
}

std::vector<std::string> StartLines(const Life& life) {
    char clock[64];
    const int64_t ms = life.millisOfDay;
    std::snprintf(clock, sizeof clock, "clock %04d-%02d-%02d %02d:%02d:%02d.%03d", life.date.year,
                  life.date.month, life.date.day, static_cast<int>(ms / 3600000),
                  static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
                  static_cast<int>(ms % 1000));
    std::vector<std::string> lines = {clock};
    for (const Setting& s : life.settings)
        lines.push_back("set " + s.name + " " + s.value);
    lines.push_back("start");
    return lines;
}

Phase PhaseOf(const Engine& e) {
    const Screen& s = e.screen;
    if (s.Get(ElementCalled("TAboutBox")).visible ||
        s.Get(ElementCalled("FINALERRORPanel")).visible)
        return Phase::Blocked;
    if (s.Get(ElementCalled("MENU")).visible || s.Get(ElementCalled("TForm2")).visible)
        return Phase::Outside;
    return s.Get(ElementCalled("Pause")).checked ? Phase::Paused : Phase::Scenario;
}

const char* PhaseName(Phase p) {
    switch (p) {
        case Phase::Scenario:
            return "scenario";
        case Phase::Paused:
            return "paused";
        case Phase::Outside:
            return "outside a scenario";
        case Phase::Blocked:
            return "behind a window";
    }
    return "?";
}

std::string Describe(const Engine& e) {
    const ScenarioState& s = e.state;
    std::string d = std::string(PhaseName(PhaseOf(e))) + "; prompt \"" + PromptLine(e) +
                    "\", upper line \"" + e.screen.Get(El::AEDDISPLAY0).text + "\"; MSG0 \"" +
                    e.screen.Get(El::MSG0).text + "\", MSG1 \"" + e.screen.Get(El::MSG1).text +
                    "\"";
    d += "; category " + std::to_string(s.PatientCategory) + ", shocks needed " +
         std::to_string(s.ShocksNeeded) + ", PulseState " + std::to_string(s.PulseState);
    d += "; NextStep " + std::to_string(s.NextStep) + ", actions " + s.EarlierAction + " > " +
         s.PreviousAction + " > " + s.LastAction;
    d += "; AEDOn " + std::to_string(s.AEDOn) + ", pads " + std::to_string(s.WhitePadAttached) +
         std::to_string(s.RedPadAttached) + ", analyses " + std::to_string(s.AnalysisCount) +
         ", shocks " + std::to_string(s.ShockCount) + ", AnalysesComplete " +
         std::to_string(s.AnalysesComplete);
    d += "; CPR flags " + std::to_string(s.AdultCPRRunning) + std::to_string(s.ChildCPRRunning) +
         ", BagBreathing " + std::to_string(s.BagBreathing) + ", MaskBreathing " +
         std::to_string(s.MaskBreathing) + ", PULSEHAND " +
         std::to_string(e.screen.Get(El::PULSEHAND).visible) + ", Score " + std::to_string(s.Score);
    d += "; running:";
    for (int i = 0; i < kTimerCount; ++i) {
        const auto id = static_cast<TimerId>(i);
        if (!e.timers.Running(id)) continue;
        d += " " + std::string(TimerName(id)) + "(" + std::to_string(e.timers.Interval(id)) + ")";
    }
    return d;
}

Session::Session(const std::string& programDir, const Life& life, BoxPolicy policy)
    : life_(life),
      clock_(std::make_unique<script::VirtualClock>()),
      sound_(std::make_unique<script::RecordingSound>(programDir)),
      dialogs_(std::make_unique<Dialogs>(std::move(policy))),
      pictures_(std::make_unique<script::FileCheckPictures>()),
      printer_(std::make_unique<script::TextPrinter>(programDir)),
      engine_(std::make_unique<WiredEngine>(
          Ports{clock_.get(), sound_.get(), dialogs_.get(), pictures_.get(), printer_.get()},
          programDir)) {
    clock_->Attach(engine_->timers);
    clock_->Set(life.date, life.millisOfDay);
    dialogs_->programDir = programDir;
}

Session::~Session() = default;

void Session::Start() {
    Engine& e = *engine_;
    // The options are in place when the program starts, as an instructor's would be: the action
    // bar is laid out for them. Each is changed as the script's `set` changes it.
    for (const Setting& s : life_.settings) {
        const auto opt = ControlByName(s.name);
        if (!opt) continue;
        switch (KindOf(*opt)) {
            case ControlKind::CheckBox:
                e.settings.SetOn(*opt, s.value == "on");
                break;
            case ControlKind::Radio:
                e.settings.SetOn(*opt, true);
                break;
            case ControlKind::Number:
            case ControlKind::Text:
                e.settings.SetText(*opt, s.value);
                break;
        }
    }
    CreateMainWindow(e);
    if (!e.ended) ShowMainWindow(e);
    inScenario_ = false;
    lastScore_ = e.state.Score;
    trueScore_ = lastScore_;
}

std::vector<Finding> Session::Do(Step& step, bool judge) {
    std::deque<std::string> queued;
    for (const Step::Box& b : step.boxes)
        queued.push_back(b.answer);
    step.boxes.clear();
    step.skipped = false;
    dialogs_->Begin(&step.boxes, std::move(queued));
    std::vector<Finding> findings;
    try {
        if (step.kind == Step::Kind::Checkpoint && judge) {
            findings = Checkpoint(*this);
        } else if (step.kind == Step::Kind::Checkpoint || step.kind == Step::Kind::Wait) {
            const int64_t ms = step.kind == Step::Kind::Wait ? step.ms : kIdleMs + kWatchMs;
            RunTo(engine_->timers.Now() + ms, findings);
        } else {
            findings = act(step);
        }
    } catch (const std::exception& ex) {
        findings.push_back({std::string("exception: ") + ex.what(), Describe(*engine_), {}});
    }
    dialogs_->Begin(nullptr, {});
    return findings;
}

std::vector<Finding> Session::act(Step& step) {
    Engine& e = *engine_;
    InputResult result = InputResult::Unknown;
    switch (step.kind) {
        case Step::Kind::Click:
            result = Click(e, step.name);
            break;
        case Step::Kind::Menu:
            result = ChooseMenu(e, step.name);
            break;
        case Step::Kind::Type:
            result = TypeText(e, step.name, step.text);
            break;
        case Step::Kind::Drag:
            result = DragPad(e, step.name, step.target, step.left, step.top);
            break;
        default:
            break;
    }
    step.skipped = result != InputResult::Done;
    std::vector<Finding> findings;
    observe(findings, true);
    return findings;
}

void Session::RunTo(Millis t, std::vector<Finding>& findings) {
    Engine& e = *engine_;
    // One expiry time after the other, so that the score is seen after each; the timers fire
    // exactly as one call for the whole wait would fire them.
    while (!e.ended) {
        const auto next = e.timers.NextDue();
        if (!next || *next > t) break;
        e.timers.AdvanceTo(*next);
        observe(findings, false);
    }
    if (!e.ended) e.timers.AdvanceTo(t);
}

void Session::observe(std::vector<Finding>& findings, bool afterInput) {
    const Engine& e = *engine_;
    const ScenarioState& s = e.state;
    // Only an input opens or closes a scenario's screen.
    if (afterInput) {
        const bool inScenario =
            !e.screen.Get(El::MENU).visible && !e.screen.Get(El::SummaryWindow).visible;
        // A scenario begins (log-in, Next, Repeat): its score starts afresh.
        if (inScenario && !inScenario_) {
            endReached_ = false;
            lastScore_ = s.Score;
            trueScore_ = s.Score;
        }
        inScenario_ = inScenario;
    }

    // The score moves by far less than half the field's range at a time: a larger jump is the
    // field wrapping round.
    const auto delta =
        static_cast<int16_t>(static_cast<uint16_t>(s.Score) - static_cast<uint16_t>(lastScore_));
    trueScore_ += delta;
    lastScore_ = s.Score;
    if (!scoreReported_ && (trueScore_ < std::numeric_limits<int16_t>::min() ||
                            trueScore_ > std::numeric_limits<int16_t>::max())) {
        scoreReported_ = true;
        findings.push_back({"score outside the 16-bit range",
                            "the score would be " + std::to_string(trueScore_) + " but reads " +
                                std::to_string(s.Score) + "; " + Describe(e),
                            {}});
    }

    // The handlers that start the "Scenario Over" sign do so when, as they begin, the protocol
    // expects the end or every required step is done: the state seen after the step or expiry
    // before.
    if (inScenario_ && (s.NextStep == kEndScenario || ScenarioComplete(e))) endReached_ = true;
}

}  // namespace ardentix::walk
