#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/overlay_mask.h"
#include "core/result.h"

// The only ways out of the engine. Each front end gives its own implementation.
namespace ardentix {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual int64_t MillisSinceMidnight() = 0;
    virtual Date Today() = 0;
    // Today's date in the numeric form of the system's short date format (NumericShortDate): at
    // most 8 characters, so that it holds the date columns of the reports and the scoreboard.
    virtual std::string ShortDate() = 0;
    // The time of day in the system's long time format, without a time zone.
    virtual std::string LongTime() = 0;
    virtual int UtcOffsetMinutes() { return 0; }
};

// The time of day as the AED's clock shows it: hours and minutes of the long time text.
std::string ClockText(const std::string& longTime);

class Sound {
  public:
    virtual ~Sound() = default;
    // Starts playing a WAV file of the program directory, named without regard to case, without
    // waiting for it; a new sound cuts the previous one off. False when it cannot be opened.
    virtual bool Play(const std::string& name) = 0;
    virtual void Stop() = 0;
};

enum class BoxKind { Warning, Information, Error, Confirmation };
enum class BoxButtons { Ok, YesNo, OkCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };

// A type face by family and size in points.
struct Font {
    std::string family;
    int pointSize = 10;
    bool operator==(const Font&) const = default;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A modal message box; returns the button pressed.
    virtual BoxAnswer Message(BoxKind kind, BoxButtons buttons, const std::string& text) = 0;
    // A modal input box; nothing when cancelled.
    virtual std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) = 0;
    // The file dialog for opening a file: its filter by name and pattern ("Report File",
    // "*.TXT") and the extension added to a name typed without one. The chosen path, or nothing
    // when cancelled.
    virtual std::optional<std::string> OpenFile(const std::string& filterName,
                                                const std::string& pattern,
                                                const std::string& defaultExtension) = 0;
    // The font dialog, starting at the given font; nothing when cancelled.
    virtual std::optional<Font> ChooseFont(const Font& initial) = 0;
    // The print dialog, where the printer is chosen; false when cancelled.
    virtual bool ChoosePrinter() = 0;
    // The file dialog for saving: its title, its filters by name and pattern ("Test file",
    // "*.txt", then "All files", "*.*"), the extension added to a name typed without one, opened
    // in dir with a name proposed. The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> SaveFile(const std::string& title,
                                                const std::string& filterName,
                                                const std::string& pattern,
                                                const std::string& defaultExtension,
                                                const std::string& dir,
                                                const std::string& proposedName) = 0;
};

// One picture of the patient view: the element it belongs to and its file. An overlay whose
// mask is made from the picture itself has a seed for it (see OverlayMask); the photograph has
// none, and a picture that comes with a mask file has its mask as an element of its own
// ("HILIGHT.mask").
struct PictureFile {
    std::string element;
    std::string path;
    std::optional<MaskSeed> seed;
};

class Pictures {
  public:
    virtual ~Pictures() = default;
    // Loads the pictures; returns the path of the first one that is missing or unreadable.
    virtual std::optional<std::string> Load(const std::vector<PictureFile>& files) = 0;
};

struct PrintLine {
    std::string text;
    Font font;
};

class Printer {
  public:
    virtual ~Printer() = default;
    // Prints a text job on the printer chosen last, a printed line for each line, breaking pages
    // when a page is full; the system's reason when it could not be printed.
    virtual std::optional<std::string> Print(const std::string& title,
                                             const std::vector<PrintLine>& lines) = 0;
};

// Measures the advice line in the advice panel's font (bold, 13 pixels), so that the engine can
// size and place the panel without knowing the toolkit's fonts.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual int AdviceTextWidth(const std::string& text) = 0;
};

// A fixed advance per character: the headless front end's measure, and the engine's when a front
// end gives none.
class FixedAdvanceText : public TextMeasure {
  public:
    static constexpr int kAdvance = 7;
    int AdviceTextWidth(const std::string& text) override {
        return static_cast<int>(text.size()) * kAdvance;
    }
};

// The server's side of an encrypted connection: the host name as the user typed it, which its
// certificate is checked against (not the address it was looked up to), and the SHA-256
// fingerprint of a certificate the user accepted although it does not verify (64 lowercase hex
// digits, or empty).
struct TlsPeer {
    std::string name;
    std::string acceptedFingerprint;
};

// The connection to the mail server. Each request returns at once; what becomes of it reaches
// the engine later as a LinkAnswer (MailLinkAnswer in mail/mail_window.h), never from inside a
// request, so the engine never waits on the network.
class MailLink {
  public:
    virtual ~MailLink() = default;
    // Looks the host name up: answers HostFound with a dotted address, or HostNotFound.
    virtual void LookUp(const std::string& host) = 0;
    // Opens a TCP connection: answers Opened or OpenFailed; once opened, Received for every
    // arrival of bytes and Closed when the server hangs up. With tls the connection is encrypted
    // from its first byte: Opened only once the handshake is done, TlsFailed if it fails.
    virtual void Open(const std::string& address, int port, const TlsPeer* tls) = 0;
    // Encrypts the open connection from here on (after the server agreed to STARTTLS): answers
    // Encrypted, or TlsFailed and the connection is gone.
    virtual void StartTls(const TlsPeer& peer) = 0;
    // Sends bytes on the open connection: answers Written with the count as the socket takes
    // them.
    virtual void Write(const std::string& bytes) = 0;
    // Drops the connection, the lookup or the attempt at once; nothing more is answered for it.
    virtual void Close() = 0;
};

struct LinkAnswer {
    enum class Kind {
        HostFound,
        HostNotFound,
        Opened,
        OpenFailed,
        Received,
        Written,
        Closed,
        Encrypted,
        TlsFailed
    };
    Kind kind;
    std::string text;  // HostFound: the address; Received: the bytes; TlsFailed: the reason
    size_t count = 0;  // Written: how many bytes the socket took
    // TlsFailed: the SHA-256 fingerprint of the server's certificate in lowercase hex when it
    // presented one that was not trusted; empty when the failure was something else.
    std::string fingerprint = {};
};

// Why a result could not be written to the results database, and whether it was kept to be
// written later (in the pending file).
struct RecordFailure {
    std::string reason;
    bool kept = true;
};

// The results database: records every finished or terminated Practice and Test scenario.
class ResultsStore {
  public:
    virtual ~ResultsStore() = default;
    // Records one result (the store gives it its uuid, station and time of recording); nothing
    // when it was written, else why not.
    virtual std::optional<RecordFailure> Record(const ScenarioResult& result) = 0;
};

struct Ports {
    Clock* clock = nullptr;
    Sound* sound = nullptr;
    Dialogs* dialogs = nullptr;
    Pictures* pictures = nullptr;
    Printer* printer = nullptr;
    TextMeasure* text = nullptr;
    // No link: every lookup and connection fails at once.
    MailLink* mail = nullptr;
    // No store: nothing is recorded.
    ResultsStore* results = nullptr;
};

}  // namespace ardentix
