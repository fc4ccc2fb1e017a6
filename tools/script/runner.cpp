#include "script/runner.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "core/dates.h"
#include "core/engine.h"
#include "core/files.h"
#include "core/scenario.h"
#include "mail/mail_window.h"
#include "net/qt_mail_link.h"
#include "options/options.h"
#include "scenario/busy.h"
#include "scenario/flow.h"
#include "scenario/input.h"
#include "scenario/wired_engine.h"
#include "script/centre_relay.h"
#include "script/headless_ports.h"
#include "script/names.h"
#include "script/parser.h"
#include "store/qt_results_store.h"

namespace ardentix::script {

namespace {

namespace fs = std::filesystem;

// A malformed line: the script stops with status 2.
struct Malformed {
    std::string message;
};

std::optional<int64_t> number(std::string_view text) {
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int64_t numberArg(std::string_view text, const char* what) {
    if (auto n = number(text)) return *n;
    throw Malformed{std::string(what) + " must be a whole number: " + std::string(text)};
}

// Sets or clears the flag that keeps even a privileged user from changing a file or a directory:
// for such a user write permissions alone make nothing fail. False where the file system or the
// user cannot.
bool setImmutable([[maybe_unused]] const std::string& path, [[maybe_unused]] bool on) {
#ifdef __linux__
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
#else
    return false;
#endif
}

class Runner {
  public:
    Runner(std::string scriptName, const std::string& programDir, std::ostream& out)
        : scriptName_(std::move(scriptName)),
          out_(out),
          sound_(programDir),
          printer_(programDir),
          link_(makeLink()),
          results_(programDir),
          centre_(results_, programDir),
          engine_(Ports{&clock_, &sound_, &dialogs_, &pictures_, &printer_, &text_, link_.get(),
                        &centre_},
                  programDir) {
        clock_.Attach(engine_.timers);
        dialogs_.programDir = programDir;
    }
    // What chmod took away is given back, so that the program directory can be removed.
    ~Runner() {
        for (const std::string& path : readOnly_) {
            setImmutable(path, false);
            std::error_code ec;
            fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
        }
    }
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    RunResult Run(const std::string& text, const FileReader& read);

  private:
    using Words = std::vector<std::string>;

    void execute(const Command& c);
    void expectCount(const Words& w, size_t count) const;
    std::string valueOf(const std::string& name) const;

    void doClock(const Words& w);
    void doPut(const Words& w);
    void doRemove(const Words& w);
    void doSet(const Command& c);
    void setOption(Opt opt, const std::string& value);
    void doPatient(const Words& w);
    void doDateFormat(const Words& w);
    void doLocaleDate(const Words& w);
    void doChmod(const Command& c);
    void doExpect(const Command& c);
    void doAnswer(const Command& c);
    void doInput(const Command& c);
    void doDrag(const Command& c);
    void doSpin(const Command& c);
    std::unique_ptr<QtMailLink> makeLink();
    void answerLink(const LinkAnswer& answer);
    void waitForMail(const Origin& where);
    bool pokeTimer(const std::string& name, const std::string& value);
    void fail(const Origin& where, const std::string& message);

    std::string scriptName_;
    std::ostream& out_;
    VirtualClock clock_;
    RecordingSound sound_;
    QueuedDialogs dialogs_;
    FileCheckPictures pictures_;
    TextPrinter printer_;
    FixedAdvanceText text_;  // the advice line: a fixed advance per character
    // The mail server's connection, the program's own; none without an event loop to run it.
    std::unique_ptr<QtMailLink> link_;
    // The results database of the program directory, as the program writes it.
    store::QtResultsStore results_;
    // Relays each result to a centre server once the script names one.
    CentreRelay centre_;
    WiredEngine engine_;
    // Real milliseconds a connect or send may wait on a silent server before the script fails.
    int mailTimeout_ = 5000;
    QEventLoop* mailWait_ = nullptr;
    bool started_ = false;
    // Options set before start: they take effect once the settings files are loaded.
    std::vector<std::pair<Opt, std::string>> earlySets_;
    RunResult result_;
    std::set<std::string> readOnly_;  // made read-only by chmod
};

std::unique_ptr<QtMailLink> Runner::makeLink() {
    if (!QCoreApplication::instance()) return nullptr;
    return std::make_unique<QtMailLink>([this](const LinkAnswer& a) { answerLink(a); });
}

void Runner::answerLink(const LinkAnswer& answer) {
    MailLinkAnswer(engine_, answer);
    if (mailWait_ && !MailBusy(engine_)) mailWait_->quit();
}

// A connect or send runs to its end before the next line: the event loop runs until the client
// is done, the virtual clock standing still meanwhile. A server that keeps silent past the time
// limit fails the script, and the wait ends as a cancel would end it.
void Runner::waitForMail(const Origin& where) {
    if (!MailBusy(engine_)) return;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(mailTimeout_);
    mailWait_ = &loop;
    loop.exec();
    mailWait_ = nullptr;
    if (!MailBusy(engine_)) return;
    fail(where, "the mail server did not answer within " + std::to_string(mailTimeout_) + " ms");
    MailTimedOut(engine_);
}

void Runner::fail(const Origin& where, const std::string& message) {
    ++result_.failed;
    out_ << Report(where, message) << "\n";
}

void Runner::expectCount(const Words& w, size_t count) const {
    if (w.size() != count) {
        throw Malformed{w[0] + " takes " + std::to_string(count - 1) + " argument(s)"};
    }
}

std::string Runner::valueOf(const std::string& name) const {
    if (auto centre = centre_.Value(name)) return *centre;
    auto value = LookUp({engine_, sound_, dialogs_, printer_}, name);
    if (!value) throw Malformed{"unknown name " + name};
    return *value;
}

void Runner::doClock(const Words& w) {
    if (started_) throw Malformed{"clock must come before start"};
    if (w.size() != 3) throw Malformed{"clock takes YYYY-MM-DD HH:MM:SS[.mmm]"};
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    char rest = 0;
    if (std::sscanf(w[1].c_str(), "%4d-%2d-%2d%c", &y, &mo, &d, &rest) != 3 || mo < 1 || mo > 12 ||
        d < 1 || d > 31) {
        throw Malformed{"bad date " + w[1]};
    }
    const int fields = std::sscanf(w[2].c_str(), "%2d:%2d:%2d.%3d%c", &h, &mi, &s, &ms, &rest);
    if ((fields != 3 && fields != 4) || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0 ||
        ms < 0) {
        throw Malformed{"bad time " + w[2]};
    }
    clock_.Set({y, mo, d}, ((h * 60LL + mi) * 60 + s) * 1000 + ms);
}

void Runner::doDateFormat(const Words& w) {
    if (started_) throw Malformed{"dateformat must come before start"};
    expectCount(w, 2);
    if (!FormatDate(w[1], Date{2026, 12, 6})) {
        throw Malformed{"a date format takes M, MM, d, dd, yy, yyyy and separators: " + w[1]};
    }
    clock_.SetDateFormat(w[1]);
}

void Runner::doLocaleDate(const Words& w) {
    if (started_) throw Malformed{"localedate must come before start"};
    expectCount(w, 2);
    clock_.SetLocaleDatePattern(w[1]);
}

// chmod NAME -w|+w: a file of the program directory, or the directory itself as ".", becomes
// read-only or writable again.
void Runner::doChmod(const Command& c) {
    const Words& w = c.words;
    expectCount(w, 3);
    if (w[2] != "-w" && w[2] != "+w") throw Malformed{"chmod takes -w or +w"};
    const bool directory = w[1] == ".";
    if (!directory && !ProgramFileExists(engine_.programDir, w[1])) {
        throw Malformed{"chmod: no file " + w[1] + " in the program directory"};
    }
    const std::string path = directory ? engine_.programDir : engine_.FilePath(w[1]);
    std::error_code ec;
    if (w[2] == "+w") {
        if (readOnly_.erase(path)) setImmutable(path, false);
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    } else {
        fs::permissions(path,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove, ec);
        readOnly_.insert(path);
        if (!ec && PathWritable(path) && !setImmutable(path, true)) {
            fail(c.where, "chmod: " + w[1] + " stays writable for this user");
        }
    }
    if (ec) fail(c.where, "chmod " + w[1] + ": " + ec.message());
}

void Runner::doPut(const Words& w) {
    if (w.size() < 2) throw Malformed{"put takes a file name"};
    std::ofstream file(fs::path(engine_.programDir) / w[1], std::ios::binary | std::ios::trunc);
    for (size_t i = 2; i < w.size(); ++i)
        file << w[i] << "\r\n";
    if (!file) throw Malformed{"cannot write " + w[1]};
}

void Runner::doRemove(const Words& w) {
    expectCount(w, 2);
    std::error_code ec;
    if (ProgramFileExists(engine_.programDir, w[1])) fs::remove(engine_.FilePath(w[1]), ec);
}

void Runner::setOption(Opt opt, const std::string& value) {
    switch (KindOf(opt)) {
        case ControlKind::CheckBox:
        case ControlKind::Radio:
            engine_.settings.SetOn(opt, value == "on");
            break;
        case ControlKind::Number:
            engine_.settings.SetText(opt, value);
            break;
        case ControlKind::Text:
            TypePassword(engine_, value);
            break;
    }
}

// Before start a setting is kept until the settings files are loaded; with the option pages
// shown, only a control of the active tab can be set.
void Runner::doSet(const Command& c) {
    const Words& w = c.words;
    expectCount(w, 3);
    auto opt = ControlByName(w[1]);
    if (!opt) throw Malformed{"unknown option control " + w[1]};
    const ControlKind kind = KindOf(*opt);
    if (kind == ControlKind::CheckBox && w[2] != "on" && w[2] != "off")
        throw Malformed{"a check box is set on or off"};
    if (kind == ControlKind::Radio && w[2] != "on") throw Malformed{"a radio button is set on"};
    if (!started_) {
        earlySets_.emplace_back(*opt, w[2]);
    } else if (OptionPagesShown(engine_) && ActiveOptionTab(engine_) != TabCaption(TabOf(*opt))) {
        fail(c.where, w[1] + " cannot be used now");
    } else {
        setOption(*opt, w[2]);
    }
}

void Runner::doPatient(const Words& w) {
    PatientOverride o;
    const std::map<std::string, std::pair<std::optional<int>*, std::pair<int, int>>> parts = {
        {"category", {&o.category, {0, 4}}},
        {"shocks", {&o.shocks, {0, 255}}},
        {"set", {&o.pictureSet, {0, 6}}},
        {"age", {&o.age, {0, 150}}},
    };
    for (size_t i = 1; i < w.size(); ++i) {
        const size_t eq = w[i].find('=');
        auto part = parts.find(w[i].substr(0, eq));
        if (eq == std::string::npos || part == parts.end()) {
            throw Malformed{"patient takes category=, shocks=, set= and age="};
        }
        const int64_t value = numberArg(w[i].substr(eq + 1), part->first.c_str());
        const auto [low, high] = part->second.second;
        if (value < low || value > high) throw Malformed{part->first + " out of range"};
        *part->second.first = static_cast<int>(value);
    }
    engine_.nextPatient = o;
}

void Runner::doExpect(const Command& c) {
    expectCount(c.words, 3);
    const std::string actual = valueOf(c.words[1]);
    if (actual == c.words[2]) {
        ++result_.passed;
    } else {
        fail(c.where, "expected " + c.words[1] + " \"" + c.words[2] + "\", got \"" + actual + "\"");
    }
}

// "poke TIMER.running 0|1" and "poke TIMER.interval MS" set a timer up as a handler would.
bool Runner::pokeTimer(const std::string& name, const std::string& value) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    auto id = TimerByName(name.substr(0, dot));
    if (!id) return false;
    const std::string prop = name.substr(dot + 1);
    const auto n = number(value);
    if (!n) return false;
    if (prop == "running" && (*n == 0 || *n == 1)) {
        engine_.timers.SetEnabled(*id, *n == 1);
    } else if (prop == "interval") {
        engine_.timers.SetInterval(*id, static_cast<int>(*n));
    } else {
        return false;
    }
    return true;
}

// type NAME TEXT..., with more than one text for the lines of a memo.
void Runner::doInput(const Command& c) {
    const Words& w = c.words;
    if (w[0] == "type" && w.size() < 3) throw Malformed{"type takes a name and a text"};
    if (w[0] != "type") expectCount(w, 2);
    InputResult result = InputResult::Unknown;
    if (w[0] == "click" && ElementNamed(w[1]) == El::PATIENTTorsoZONE) {
        // A click on the chest: a compression where the compression key is active.
        result = PressChest(engine_);
    } else if (w[0] == "click") {
        result = Click(engine_, w[1]);
    } else if (w[0] == "menu") {
        result = ChooseMenu(engine_, w[1]);
    } else if (w.size() == 3) {
        result = TypeText(engine_, w[1], w[2]);
    } else {
        result = TypeLines(engine_, w[1], Words(w.begin() + 2, w.end()));
    }
    if (result == InputResult::Unknown) throw Malformed{"cannot " + w[0] + " " + w[1]};
    if (result == InputResult::Unavailable) fail(c.where, w[1] + " cannot be used now");
    waitForMail(c.where);
}

// drag NAME TARGET [LEFT TOP]: a pad dropped on the chest outside the zones lies with its
// top-left corner at LEFT, TOP of the patient view (by default the middle of the chest).
void Runner::doDrag(const Command& c) {
    const Words& w = c.words;
    if (w.size() != 3 && w.size() != 5) throw Malformed{"drag takes NAME TARGET [LEFT TOP]"};
    const Element& torso = engine_.screen.Get(El::PATIENTTorsoZONE);
    int left = torso.left + torso.width / 2 - 26;
    int top = torso.top + torso.height / 2 - 33;
    if (w.size() == 5) {
        left = static_cast<int>(numberArg(w[3], "left"));
        top = static_cast<int>(numberArg(w[4], "top"));
    }
    const InputResult result = DragPad(engine_, w[1], w[2], left, top);
    if (result == InputResult::Unknown) throw Malformed{"cannot drag " + w[1] + " to " + w[2]};
    if (result == InputResult::Unavailable) fail(c.where, w[1] + " cannot be used now");
}

// spin NAME up|down: one press on a half of a spin button.
void Runner::doSpin(const Command& c) {
    const Words& w = c.words;
    expectCount(w, 3);
    if (w[2] != "up" && w[2] != "down") throw Malformed{"spin takes up or down"};
    const InputResult result = Spin(engine_, w[1], w[2] == "up");
    if (result == InputResult::Unknown) throw Malformed{"cannot spin " + w[1]};
    if (result == InputResult::Unavailable) fail(c.where, w[1] + " cannot be used now");
}

void Runner::doAnswer(const Command& c) {
    if (c.words.size() < 2 || c.words.size() > 3)
        throw Malformed{"answer takes an answer and a box text"};
    QueuedDialogs::Queued q{c.words[1], std::nullopt, c.where};
    if (c.words.size() == 3) q.boxText = c.words[2];
    dialogs_.queue.push_back(q);
}

void Runner::execute(const Command& c) {
    const Words& w = c.words;
    const std::string& verb = w[0];
    dialogs_.currentWhere = c.where;
    if (verb == "clock") {
        doClock(w);
    } else if (verb == "dateformat") {
        doDateFormat(w);
    } else if (verb == "localedate") {
        doLocaleDate(w);
    } else if (verb == "chmod") {
        doChmod(c);
    } else if (verb == "close") {
        expectCount(w, 1);
        if (!started_) throw Malformed{"close needs a started program"};
        if (CloseBox(engine_) == InputResult::Unavailable)
            fail(c.where, "the main window cannot be closed while " +
                              std::string(NameOf(WaitingWindow(engine_).value_or(El::MainWindow))) +
                              " waits for an answer");
    } else if (verb == "centre") {
        expectCount(w, 2);
        std::string error;
        if (!centre_.Use(w[1], error)) throw Malformed{error};
    } else if (verb == "put") {
        doPut(w);
    } else if (verb == "remove") {
        doRemove(w);
    } else if (verb == "start") {
        expectCount(w, 1);
        if (started_) throw Malformed{"the program has started already"};
        started_ = true;
        CreateMainWindow(engine_);
        if (!engine_.ended) ShowMainWindow(engine_);
        // Results kept from an earlier run are written once the window is up, as the program
        // does.
        if (!engine_.ended) results_.WritePending();
        // What was set before start stands as if the instructor had set it and saved it.
        if (!engine_.ended && !earlySets_.empty()) {
            for (const auto& [opt, value] : earlySets_)
                setOption(opt, value);
            SaveOptionChanges(engine_);
            engine_.settings.SetChanged(false);
        }
    } else if (verb == "set") {
        doSet(c);
    } else if (verb == "tab") {
        expectCount(w, 2);
        const InputResult result = ChooseTab(engine_, w[1]);
        if (result == InputResult::Unknown) throw Malformed{"no tab " + w[1]};
        if (result == InputResult::Unavailable) fail(c.where, "the option pages are not shown");
    } else if (verb == "seed") {
        expectCount(w, 2);
        engine_.random.Seed(static_cast<uint32_t>(numberArg(w[1], "seed")));
    } else if (verb == "poke") {
        expectCount(w, 3);
        if (!pokeTimer(w[1], w[2]) && !SetFieldText(engine_.ScriptState(), w[1], w[2])) {
            throw Malformed{"cannot set " + w[1] + " to " + w[2]};
        }
        // As a handler that set the same up would end.
        MarkBusyControls(engine_);
    } else if (verb == "prepare") {
        expectCount(w, 1);
        PrepareScenario(engine_);
        if (!engine_.ended) ResetScenario(engine_);
        MarkBusyControls(engine_);
    } else if (verb == "patient") {
        doPatient(w);
    } else if (verb == "wait") {
        expectCount(w, 2);
        const int64_t ms = numberArg(w[1], "wait");
        if (ms < 0) throw Malformed{"wait takes a time to come"};
        engine_.timers.AdvanceTo(engine_.timers.Now() + ms);
    } else if (verb == "expect") {
        doExpect(c);
    } else if (verb == "print") {
        for (size_t i = 1; i < w.size(); ++i)
            out_ << w[i] << "=" << valueOf(w[i]) << "\n";
    } else if (verb == "answer") {
        doAnswer(c);
    } else if (verb == "click" || verb == "menu" || verb == "type") {
        doInput(c);
    } else if (verb == "mailtimeout") {
        expectCount(w, 2);
        const int64_t ms = numberArg(w[1], "mailtimeout");
        if (ms < 1 || ms > 600000) throw Malformed{"mailtimeout takes 1 to 600000 ms"};
        mailTimeout_ = static_cast<int>(ms);
    } else if (verb == "key") {
        expectCount(w, 2);
        if (w[1] != "Space") throw Malformed{"key takes Space"};
        if (PressSpace(engine_) == InputResult::Unavailable)
            fail(c.where, "the scenario screen takes no key now");
    } else if (verb == "drag") {
        doDrag(c);
    } else if (verb == "spin") {
        doSpin(c);
    } else {
        throw Malformed{"unknown command " + verb};
    }
}

RunResult Runner::Run(const std::string& text, const FileReader& read) {
    ParseError error;
    auto commands = ParseScript(text, scriptName_, error, read);
    if (!commands) {
        out_ << Report(error.where, error.message) << "\n";
        result_.status = 2;
        return result_;
    }
    bool endReported = false;
    for (const Command& c : *commands) {
        if (engine_.ended && c.words[0] != "expect" && c.words[0] != "print") {
            fail(c.where, c.words[0] + " after the program ended");
            continue;
        }
        try {
            execute(c);
        } catch (const Malformed& m) {
            out_ << Report(c.where, m.message) << "\n";
            result_.status = 2;
            return result_;
        }
        if (engine_.ended && !endReported) {
            out_ << Report(c.where, "the program ended") << "\n";
            endReported = true;
        }
    }
    for (const std::string& problem : dialogs_.problems) {
        ++result_.failed;
        out_ << problem << "\n";
    }
    for (const QueuedDialogs::Queued& q : dialogs_.queue) {
        fail(q.where, "answer \"" + q.answer + "\" was never asked for");
    }
    result_.status = result_.failed > 0 ? 1 : 0;
    return result_;
}

}  // namespace

RunResult RunScript(const std::string& text, const std::string& scriptName,
                    const std::string& programDir, std::ostream& out, const FileReader& read) {
    Runner runner(scriptName, programDir, out);
    return runner.Run(text, read);
}

}  // namespace ardentix::script
