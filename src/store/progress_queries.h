#pragma once
// What the Progress tab of the option pages reads from the results database: a row for each
// trainee, a trainee's attempts, the errors of a class counted, one attempt's stored debrief, and
// the attempts as CSV. Plain SQL that SQLite and PostgreSQL both run; no widgets.
#include <QByteArray>
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <optional>
#include <vector>

namespace ardentix::store {

// The attempts shown: started on the days from..to (the station's own date, as started_at
// begins; both days count, an invalid date leaves that end open), of one mode ("Practice" or
// "Test"; empty: both), by trainees whose name holds `name` (any case; empty: everyone).
struct ProgressFilter {
    QDate from;
    QDate to;
    QString mode;
    QString name;
};

// A trainee is a name with an ID as typed at the log-in.
struct TraineeSummary {
    QString name;
    QString id;
    int attempts = 0;
    QString lastStarted;  // started_at of the latest attempt
    int bestScore = 0;
    int lastScore = 0;  // of the latest attempt: see kOldestFirst in progress_queries.cpp
    int testsPassed = 0;
    std::optional<int> medianFirstShockMs;
    std::optional<double> medianCprFraction;  // percent, to one decimal
};

// One row of attempts, with every column of the table.
struct Attempt {
    QString uuid, name, id, mode, profile, startedAt;
    int elapsedMs = 0;
    std::optional<int> firstShockMs;
    int score = 0;
    QString outcome;
    std::optional<bool> passed;
    std::optional<double> cprFraction;
    int patientCategory = 0, patientAge = 0, shocksNeeded = 0;
    QString station, recordedAt;
};

// An error of the summary's list, its points left out, and how often it was made.
struct ErrorCount {
    QString error;
    int count = 0;
};

// What the debrief of a stored attempt shows.
struct StoredEvent {
    int atMs = 0;
    QString kind, text, verdict;
    int points = 0;
};
struct StoredFigure {
    QString name, value;
};
struct StoredDebrief {
    std::vector<StoredEvent> events;  // in their order
    std::vector<StoredFigure> figures;
    std::vector<QString> errors;
};

class ProgressQueries {
  public:
    explicit ProgressQueries(QSqlDatabase db) : db_(std::move(db)) {}

    // Trainees by name (then ID), each over the attempts the filter lets through.
    std::vector<TraineeSummary> Trainees(const ProgressFilter& filter);
    // The attempts, oldest first.
    std::vector<Attempt> Attempts(const ProgressFilter& filter);
    // One trainee's attempts within the filter's days and mode, oldest first.
    std::vector<Attempt> AttemptsOf(const QString& name, const QString& id,
                                    const ProgressFilter& filter);
    // The errors, the most frequent first (equal counts by their text).
    std::vector<ErrorCount> Errors(const ProgressFilter& filter);
    StoredDebrief Debrief(const QString& uuid);

    // Why the last query failed; empty when it worked.
    const QString& Failure() const { return failure_; }

  private:
    QSqlDatabase db_;
    QString failure_;
};

// The median of whole numbers: the middle one, or for an even count the mean of the two middle
// ones with a half rounded up (as the debrief's median rate). Empty for no numbers.
std::optional<int> MedianOf(std::vector<int> values);
// The median of percentages, counted in tenths of a percent as the debrief shows them: the middle
// one or the mean of the two middle ones, a half tenth rounded up.
std::optional<double> MedianOf(std::vector<double> values);
// The two middle numbers of a sorted list (the same one twice for an odd count) made one median,
// by the rules above.
int MiddleMedian(int low, int high);
double MiddleMedian(double low, double high);

// The error a line of the summary's list names: its trailing points "(-50)" and full stop left
// out, so "Did not call for help (-50)." is "Did not call for help".
QString ErrorGroup(const QString& line);

// The attempts as CSV (RFC 4180): UTF-8, a header of the column names, CRLF at each line's end,
// a field quoted where it holds a comma, a quote or a line break.
QByteArray AttemptsCsv(const std::vector<Attempt>& attempts);

}  // namespace ardentix::store
