#pragma once
// A results database in a real SQLite file for the tests and the benchmark of the Progress tab,
// with the tables of docs/results-database.md, and attempts written into it as the store writes
// them.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

namespace ardentix::test {

// One attempt with the lines of its debrief; the fields the tests leave alone have plain values.
struct AttemptRecord {
    QString uuid;
    QString name = QStringLiteral("Kim Lee");
    QString id = QStringLiteral("");  // empty, never NULL
    QString mode = QStringLiteral("Practice");
    QString profile = QStringLiteral("Classic");
    QString startedAt = QStringLiteral("2026-12-08T09:15:00+01:00");
    int elapsedMs = 300000;
    std::optional<int> firstShockMs;
    int score = 1000;
    QString outcome = QStringLiteral("completed");
    std::optional<int> passed;
    std::optional<double> cprFraction;
    QString recordedAt;  // startedAt when empty
    QStringList errors;
    struct Event {
        int atMs;
        QString kind, text, verdict;
        int points;
    };
    std::vector<Event> events;
    std::vector<std::pair<QString, QString>> figures;
};

class ResultsFile {
  public:
    // Opens (creating) the file under a connection of its own name.
    ResultsFile(const QString& path, const QString& connection) : connection_(connection) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db_.setDatabaseName(path);
        ok_ = db_.open() && createTables();
    }
    ~ResultsFile() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
    }
    ResultsFile(const ResultsFile&) = delete;
    ResultsFile& operator=(const ResultsFile&) = delete;

    bool Ok() const { return ok_; }
    QSqlDatabase& Db() { return db_; }
    QString Failure() const { return failure_; }

    bool Add(const AttemptRecord& a) {
        const auto nullable = [](const auto& v) { return v ? QVariant(*v) : QVariant(); };
        return exec(QStringLiteral("INSERT INTO attempts VALUES "
                                   "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 45, 1, 'station1', ?)"),
                    {a.uuid, a.name, a.id, a.mode, a.profile, a.startedAt, a.elapsedMs,
                     nullable(a.firstShockMs), a.score, a.outcome, nullable(a.passed),
                     nullable(a.cprFraction),
                     a.recordedAt.isEmpty() ? a.startedAt : a.recordedAt}) &&
               addLines(a);
    }

  private:
    bool addLines(const AttemptRecord& a) {
        for (int i = 0; i < a.errors.size(); ++i) {
            if (!exec(QStringLiteral("INSERT INTO attempt_errors VALUES (?, ?, ?)"),
                      {a.uuid, i, a.errors[i]}))
                return false;
        }
        for (size_t i = 0; i < a.events.size(); ++i) {
            const AttemptRecord::Event& e = a.events[i];
            if (!exec(QStringLiteral("INSERT INTO attempt_events VALUES (?, ?, ?, ?, ?, ?, ?)"),
                      {a.uuid, int(i), e.atMs, e.kind, e.text, e.verdict, e.points}))
                return false;
        }
        for (const auto& [name, value] : a.figures) {
            if (!exec(QStringLiteral("INSERT INTO attempt_figures VALUES (?, ?, ?)"),
                      {a.uuid, name, value}))
                return false;
        }
        return true;
    }

    bool exec(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q(db_);
        if (!q.prepare(sql)) {
            failure_ = q.lastError().text();
            return false;
        }
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec()) {
            failure_ = q.lastError().text();
            return false;
        }
        return true;
    }

    bool createTables() {
        const char* statements[] = {
            "CREATE TABLE attempts ("
            "uuid TEXT PRIMARY KEY, trainee_name TEXT NOT NULL, trainee_id TEXT NOT NULL, "
            "mode TEXT NOT NULL, profile TEXT NOT NULL, started_at TEXT NOT NULL, "
            "elapsed_ms BIGINT NOT NULL, first_shock_ms BIGINT, score INTEGER NOT NULL, "
            "outcome TEXT NOT NULL, passed INTEGER, cpr_fraction REAL, "
            "patient_category INTEGER NOT NULL, patient_age INTEGER NOT NULL, "
            "shocks_needed INTEGER NOT NULL, station TEXT NOT NULL, recorded_at TEXT NOT NULL)",
            "CREATE TABLE attempt_errors (uuid TEXT NOT NULL REFERENCES attempts (uuid), "
            "seq INTEGER NOT NULL, text TEXT NOT NULL, PRIMARY KEY (uuid, seq))",
            "CREATE TABLE attempt_events (uuid TEXT NOT NULL REFERENCES attempts (uuid), "
            "seq INTEGER NOT NULL, at_ms BIGINT NOT NULL, kind TEXT NOT NULL, text TEXT NOT NULL, "
            "verdict TEXT NOT NULL, points INTEGER NOT NULL, PRIMARY KEY (uuid, seq))",
            "CREATE TABLE attempt_figures (uuid TEXT NOT NULL REFERENCES attempts (uuid), "
            "name TEXT NOT NULL, value TEXT NOT NULL, PRIMARY KEY (uuid, name))",
            "CREATE INDEX attempts_started ON attempts (started_at)",
            // The Progress tab's, of version 3.
            "CREATE INDEX attempts_trainee ON attempts (trainee_name, trainee_id, started_at, "
            "mode, score, passed, first_shock_ms, cpr_fraction, recorded_at, uuid)",
            "CREATE INDEX attempt_errors_text ON attempt_errors (text)",
            "CREATE INDEX attempt_errors_uuid_text ON attempt_errors (uuid, text)",
        };
        for (const char* s : statements) {
            if (!exec(QString::fromLatin1(s))) return false;
        }
        return true;
    }

    QString connection_;
    QSqlDatabase db_;
    QString failure_;
    bool ok_ = false;
};

}  // namespace ardentix::test
