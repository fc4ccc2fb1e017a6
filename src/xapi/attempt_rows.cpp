#include "xapi/attempt_rows.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace ardentix::xapi {

namespace {

// Runs a query with its one bound value; false with the database's reason.
bool run(QSqlQuery& query, const QString& sql, const QString& uuid, QString* error) {
    if (query.prepare(sql)) {
        query.addBindValue(uuid);
        if (query.exec()) return true;
    }
    if (error) *error = query.lastError().text();
    return false;
}

template <typename T>
std::optional<T> optional(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    return value.value<T>();
}

}  // namespace

std::optional<Attempt> ReadAttempt(const QSqlDatabase& db, const QString& uuid, QString* error) {
    if (error) error->clear();
    QSqlQuery row(db);
    if (!run(row,
             QStringLiteral("SELECT trainee_name, trainee_id, mode, profile, started_at, "
                            "elapsed_ms, first_shock_ms, score, outcome, passed, cpr_fraction, "
                            "patient_category, patient_age, shocks_needed, station "
                            "FROM attempts WHERE uuid = ?"),
             uuid, error) ||
        !row.next()) {
        return std::nullopt;
    }
    Attempt a;
    a.uuid = uuid;
    a.traineeName = row.value(0).toString();
    a.traineeId = row.value(1).toString();
    a.mode = row.value(2).toString();
    a.profile = row.value(3).toString();
    a.startedAt = row.value(4).toString();
    a.elapsedMs = row.value(5).toLongLong();
    a.firstShockMs = optional<qint64>(row.value(6));
    a.score = row.value(7).toInt();
    a.outcome = row.value(8).toString();
    if (!row.value(9).isNull()) a.passed = row.value(9).toInt() != 0;
    a.cprFraction = optional<double>(row.value(10));
    a.patientCategory = row.value(11).toInt();
    a.patientAge = row.value(12).toInt();
    a.shocksNeeded = row.value(13).toInt();
    a.station = row.value(14).toString();

    QSqlQuery lines(db);
    if (!run(lines, QStringLiteral("SELECT text FROM attempt_errors WHERE uuid = ? ORDER BY seq"),
             uuid, error)) {
        return std::nullopt;
    }
    while (lines.next())
        a.errors << lines.value(0).toString();
    if (!run(lines,
             QStringLiteral("SELECT name, value FROM attempt_figures WHERE uuid = ? ORDER BY name"),
             uuid, error)) {
        return std::nullopt;
    }
    while (lines.next())
        a.figures.append({lines.value(0).toString(), lines.value(1).toString()});
    if (!run(lines,
             QStringLiteral("SELECT COALESCE(SUM(CASE WHEN points > 0 THEN points END), 0), "
                            "COALESCE(SUM(CASE WHEN points < 0 THEN points END), 0) "
                            "FROM attempt_events WHERE uuid = ?"),
             uuid, error) ||
        !lines.next()) {
        return std::nullopt;
    }
    a.pointsEarned = lines.value(0).toInt();
    a.pointsDeducted = lines.value(1).toInt();
    return a;
}

QStringList AttemptIds(const QSqlDatabase& db, QString* error) {
    QStringList ids;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT uuid FROM attempts ORDER BY started_at, uuid"))) {
        if (error) *error = query.lastError().text();
        return ids;
    }
    while (query.next())
        ids << query.value(0).toString();
    return ids;
}

}  // namespace ardentix::xapi
