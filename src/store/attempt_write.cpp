#include "store/attempt_write.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "core/dates.h"
#include "store/database.h"

namespace ardentix::store {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

template <typename T>
QVariant orNull(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant(QMetaType::fromType<T>());
}

// Runs a prepared statement with its values; the reason when it fails.
std::optional<QString> run(QSqlQuery& query, std::initializer_list<QVariant> values) {
    int i = 0;
    for (const QVariant& value : values)
        query.bindValue(i++, value);
    if (query.exec()) return std::nullopt;
    return ErrorText(query.lastError());
}

// The attempt's rows; false (and the reason) at the first that fails. `fresh` is false when the
// attempt was there already.
std::optional<QString> writeRows(QSqlDatabase& db, const ScenarioResult& r, bool& fresh) {
    const QString uuid = text(r.uuid);
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO attempts (uuid, trainee_name, trainee_id, mode, profile, started_at, "
        "elapsed_ms, first_shock_ms, score, outcome, passed, cpr_fraction, patient_category, "
        "patient_age, shocks_needed, station, recorded_at) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT (uuid) DO NOTHING"));
    const std::optional<int> passed =
        r.passed ? std::optional<int>(*r.passed ? 1 : 0) : std::nullopt;
    if (auto failure = run(
            query,
            {uuid, text(r.traineeName), text(r.traineeId), text(r.mode), text(r.profile),
             text(r.startedAt), QVariant::fromValue<qint64>(r.elapsedMs),
             orNull<qint64>(r.firstShockMs ? std::optional<qint64>(*r.firstShockMs) : std::nullopt),
             r.score, QString::fromLatin1(OutcomeText(r)), orNull(passed), orNull(r.cprFraction),
             r.patientCategory, r.patientAge, r.shocksNeeded, text(r.station),
             text(r.recordedAt)})) {
        return failure;
    }
    fresh = query.numRowsAffected() == 1;
    if (!fresh) return std::nullopt;

    query.prepare(QStringLiteral("INSERT INTO attempt_errors (uuid, seq, text) VALUES (?, ?, ?)"));
    int seq = 0;
    for (const std::string& line : r.errors) {
        if (auto failure = run(query, {uuid, ++seq, text(line)})) return failure;
    }
    query.prepare(
        QStringLiteral("INSERT INTO attempt_events (uuid, seq, at_ms, kind, text, verdict, points) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?)"));
    seq = 0;
    for (const ResultEvent& ev : r.events) {
        if (auto failure =
                run(query, {uuid, ++seq, QVariant::fromValue<qint64>(ev.atMs), text(ev.kind),
                            text(ev.text), text(ev.verdict), ev.points})) {
            return failure;
        }
    }
    query.prepare(
        QStringLiteral("INSERT INTO attempt_figures (uuid, name, value) VALUES (?, ?, ?)"));
    for (const ResultFigure& figure : r.figures) {
        if (auto failure = run(query, {uuid, text(figure.name), text(figure.value)})) {
            return failure;
        }
    }
    return std::nullopt;
}

}  // namespace

QString NowText() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    return text(IsoDateTime({d.year(), d.month(), d.day()}, now.time().msecsSinceStartOfDay(),
                            now.offsetFromUtc() / 60));
}

std::optional<QString> QueueFor(QSqlDatabase& db, const QString& uuid, const QString& target) {
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("INSERT INTO outbox (uuid, target, queued_at, tries) VALUES (?, ?, ?, 0) "
                       "ON CONFLICT (uuid, target) DO NOTHING"));
    return run(query, {uuid, target, NowText()});
}

std::optional<QString> WriteAttempt(QSqlDatabase& db, const ScenarioResult& result,
                                    const QStringList& targets) {
    if (!db.transaction()) {
        return ErrorText(db.lastError());
    }
    bool fresh = false;
    std::optional<QString> failure = writeRows(db, result, fresh);
    for (const QString& target : targets) {
        if (failure || !fresh) break;
        failure = QueueFor(db, QString::fromStdString(result.uuid), target);
    }
    if (!failure && db.commit()) return std::nullopt;
    if (!failure) failure = ErrorText(db.lastError());
    db.rollback();
    return failure;
}

}  // namespace ardentix::store
