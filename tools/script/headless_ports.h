#pragma once
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports.h"
#include "core/timers.h"
#include "script/parser.h"

namespace ardentix::script {

// The clock of a script: a date and time set by `clock`, moved on by the virtual time of the
// scheduler. The short date is the numeric form of a locale's short date pattern, as the program's
// own clock writes it; the script's locale writes "M/d/yy" unless another pattern is given. A
// pattern set with SetDateFormat is used as it stands instead. Long time h:mm:ss AM/PM.
class VirtualClock : public Clock {
  public:
    void Attach(const Scheduler& timers) { timers_ = &timers; }
    void Set(Date date, int64_t millisOfDay) {
        date_ = date;
        millisOfDay_ = millisOfDay;
    }
    // The locale's short date pattern, in any form a locale gives it ("d MMM yyyy").
    void SetLocaleDatePattern(std::string pattern) { localePattern_ = std::move(pattern); }
    // A pattern FormatDate takes, written as it stands.
    void SetDateFormat(std::string pattern) { dateFormat_ = std::move(pattern); }

    int64_t MillisSinceMidnight() override;
    Date Today() override;
    std::string ShortDate() override;
    std::string LongTime() override;

  private:
    int64_t elapsed() const;
    const Scheduler* timers_ = nullptr;  // virtual time since start
    Date date_{2026, 12, 6};
    int64_t millisOfDay_ = 9 * 3600 * 1000;
    std::string localePattern_ = "M/d/yy";
    std::optional<std::string> dateFormat_;
};

// Plays nothing: records each request by name, and fails for a file missing from the program
// directory.
class RecordingSound : public Sound {
  public:
    explicit RecordingSound(std::string programDir) : programDir_(std::move(programDir)) {}
    bool Play(const std::string& name) override;
    void Stop() override { ++stops; }

    std::vector<std::string> log;
    int stops = 0;

  private:
    std::string programDir_;
};

// The word a script answers a box with: ok, cancel, yes, no.
const char* AnswerWord(BoxAnswer a);
// Whether an answer is one of the buttons a box offers.
bool AnswerFits(BoxButtons buttons, BoxAnswer a);
// The button an unanswered box is answered with: Yes, or OK.
BoxAnswer DefaultButton(BoxButtons buttons);

// Answers boxes from the queue the script fills with `answer`.
class QueuedDialogs : public Dialogs {
  public:
    struct Queued {
        std::string answer;                  // yes, no, ok, cancel, or the text of an input box
        std::optional<std::string> boxText;  // what the box must show, when given
        Origin where;                        // the answer line
    };

    BoxAnswer Message(BoxKind kind, BoxButtons buttons, const std::string& text) override;
    std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;
    // The file dialog takes a file name (in the program directory unless the path is absolute)
    // or "cancel"; the font dialog "Family size" ("Courier New 12") or "cancel"; the print dialog
    // "ok" or "cancel". Each shows as a box with its own text: the filter's name, "Font",
    // "Print".
    std::optional<std::string> OpenFile(const std::string& filterName, const std::string& pattern,
                                        const std::string& defaultExtension) override;
    std::optional<Font> ChooseFont(const Font& initial) override;
    bool ChoosePrinter() override;
    // The save dialog shows as a box with its title; it takes a file name (in the program
    // directory unless the path is absolute; the default extension added to a name without one)
    // or "cancel".
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filterName,
                                        const std::string& pattern,
                                        const std::string& defaultExtension, const std::string& dir,
                                        const std::string& proposedName) override;

    std::string programDir;
    std::deque<Queued> queue;
    std::string last;
    // Problems met while answering, each with its line: a box nobody expected, a box with other
    // text.
    std::vector<std::string> problems;
    Origin currentWhere;  // the line that runs

  private:
    std::optional<Queued> take(const std::string& text);
};

// Checks that the picture files exist.
class FileCheckPictures : public Pictures {
  public:
    std::optional<std::string> Load(const std::vector<PictureFile>& files) override;
};

// Writes each print job as text into PRINTED.TXT of the program directory, and keeps the last
// one; a job fails when that file cannot be written.
class TextPrinter : public Printer {
  public:
    explicit TextPrinter(std::string programDir) : programDir_(std::move(programDir)) {}
    std::optional<std::string> Print(const std::string& title,
                                     const std::vector<PrintLine>& lines) override;

    std::vector<PrintLine> lastJob;

  private:
    std::string programDir_;
};

}  // namespace ardentix::script
