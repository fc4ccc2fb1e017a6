#include "store/schema.h"

#include "store/database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <array>
#include <vector>

namespace ardentix::store {

namespace {

// Each step takes the database from the version before it to its own.
struct Step {
    int version;
    std::vector<const char*> statements;
};

const std::array<Step, 3> kSteps = {{
    {1,
     {"CREATE TABLE schema_version (version INTEGER NOT NULL)",
      "CREATE TABLE attempts ("
      "uuid TEXT PRIMARY KEY, trainee_name TEXT NOT NULL, trainee_id TEXT NOT NULL, "
      "mode TEXT NOT NULL, profile TEXT NOT NULL, started_at TEXT NOT NULL, "
      "elapsed_ms BIGINT NOT NULL, first_shock_ms BIGINT, score INTEGER NOT NULL, "
      "outcome TEXT NOT NULL, passed INTEGER, cpr_fraction REAL, "
      "patient_category INTEGER NOT NULL, patient_age INTEGER NOT NULL, "
      "shocks_needed INTEGER NOT NULL, station TEXT NOT NULL, recorded_at TEXT NOT NULL)",
      "CREATE TABLE attempt_errors ("
      "uuid TEXT NOT NULL REFERENCES attempts (uuid), seq INTEGER NOT NULL, "
      "text TEXT NOT NULL, PRIMARY KEY (uuid, seq))",
      "CREATE TABLE attempt_events ("
      "uuid TEXT NOT NULL REFERENCES attempts (uuid), seq INTEGER NOT NULL, "
      "at_ms BIGINT NOT NULL, kind TEXT NOT NULL, text TEXT NOT NULL, verdict TEXT NOT NULL, "
      "points INTEGER NOT NULL, PRIMARY KEY (uuid, seq))",
      "CREATE TABLE attempt_figures ("
      "uuid TEXT NOT NULL REFERENCES attempts (uuid), name TEXT NOT NULL, "
      "value TEXT NOT NULL, PRIMARY KEY (uuid, name))",
      "CREATE INDEX attempts_started ON attempts (started_at)",
      "INSERT INTO schema_version (version) VALUES (1)"}},
    {2,
     {"CREATE TABLE outbox ("
      "uuid TEXT NOT NULL REFERENCES attempts (uuid), target TEXT NOT NULL, "
      "queued_at TEXT NOT NULL, tries INTEGER NOT NULL DEFAULT 0, last_error TEXT, "
      "PRIMARY KEY (uuid, target))",
      "UPDATE schema_version SET version = 2"}},
    // The Progress tab's: a trainee's attempts and the figures of every trainee read from one
    // index without the table, the errors counted without a sort, and an attempt's errors found
    // with their text.
    {3,
     {"CREATE INDEX attempts_trainee ON attempts (trainee_name, trainee_id, started_at, mode, "
      "score, passed, first_shock_ms, cpr_fraction, recorded_at, uuid)",
      "CREATE INDEX attempt_errors_text ON attempt_errors (text)",
      "CREATE INDEX attempt_errors_uuid_text ON attempt_errors (uuid, text)",
      "UPDATE schema_version SET version = 3"}},
}};

bool hasVersionTable(QSqlDatabase& db) {
    for (const QString& table : db.tables()) {
        if (table.compare(QLatin1String("schema_version"), Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

std::optional<QString> runStep(QSqlDatabase& db, const Step& step) {
    if (!db.transaction()) return ErrorText(db.lastError());
    QSqlQuery query(db);
    for (const char* statement : step.statements) {
        if (!query.exec(QString::fromLatin1(statement))) {
            const QString why = ErrorText(query.lastError());
            query.finish();
            db.rollback();
            return QStringLiteral("cannot bring the database to version %1: %2")
                .arg(step.version)
                .arg(why);
        }
    }
    query.finish();
    if (!db.commit()) {
        const QString why = ErrorText(db.lastError());
        db.rollback();
        return why;
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> SchemaVersion(QSqlDatabase& db) {
    if (!hasVersionTable(db)) return db.lastError().isValid() ? std::nullopt : std::optional(0);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT version FROM schema_version")) || !query.next()) {
        return std::nullopt;
    }
    return query.value(0).toInt();
}

std::optional<QString> Migrate(QSqlDatabase& db, int target) {
    const std::optional<int> version = SchemaVersion(db);
    if (!version) {
        const QString why = db.lastError().text().trimmed();
        return QStringLiteral("cannot read the version of the database") +
               (why.isEmpty() ? QString() : QStringLiteral(": ") + why);
    }
    if (*version > kSchemaVersion) {
        return QStringLiteral("the database is of version %1, newer than this program's %2")
            .arg(*version)
            .arg(kSchemaVersion);
    }
    for (const Step& step : kSteps) {
        if (step.version <= *version || step.version > target) continue;
        if (auto failure = runStep(db, step)) return failure;
    }
    return std::nullopt;
}

}  // namespace ardentix::store
