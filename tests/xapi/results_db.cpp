#include "results_db.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtTest>

#include "store/schema.h"

namespace ardentix::test {

namespace {

void exec(QSqlQuery& query, const QString& sql, const QVariantList& values = {}) {
    QVERIFY2(query.prepare(sql), qPrintable(query.lastError().text()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
}

template <typename T>
QVariant orNull(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

// A trainee without an ID has an empty one in the database, never NULL.
QString notNull(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

}  // namespace

QSqlDatabase OpenResults(const QString& path, const QString& connection) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    if (!db.open())
        qFatal("cannot open %s: %s", qPrintable(path), qPrintable(db.lastError().text()));
    // The program's own tables, brought forward as the program brings ARDENTIX.DB forward.
    if (const std::optional<QString> error = store::Migrate(db))
        qFatal("cannot migrate %s: %s", qPrintable(path), qPrintable(*error));
    return db;
}

void WriteAttempt(QSqlDatabase& db, const xapi::Attempt& a, const QVector<int>& points) {
    QSqlQuery q(db);
    exec(q,
         QStringLiteral("INSERT INTO attempts VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                        "?, ?, ?)"),
         {a.uuid, a.traineeName, notNull(a.traineeId), a.mode, a.profile, a.startedAt, a.elapsedMs,
          orNull(a.firstShockMs), a.score, a.outcome,
          a.passed ? QVariant(*a.passed ? 1 : 0) : QVariant(), orNull(a.cprFraction),
          a.patientCategory, a.patientAge, a.shocksNeeded, a.station, a.startedAt});
    for (int i = 0; i < a.errors.size(); ++i)
        exec(q, QStringLiteral("INSERT INTO attempt_errors VALUES (?, ?, ?)"),
             {a.uuid, i, a.errors[i]});
    for (const auto& [name, value] : a.figures)
        exec(q, QStringLiteral("INSERT INTO attempt_figures VALUES (?, ?, ?)"),
             {a.uuid, name, value});
    for (int i = 0; i < points.size(); ++i)
        exec(q, QStringLiteral("INSERT INTO attempt_events VALUES (?, ?, ?, 'step', 'x', '', ?)"),
             {a.uuid, i, i * 1000, points[i]});
}

void Queue(QSqlDatabase& db, const QString& uuid, const QString& target, const QString& at) {
    QSqlQuery q(db);
    exec(q, QStringLiteral("INSERT INTO outbox (uuid, target, queued_at) VALUES (?, ?, ?)"),
         {uuid, target, at});
}

QueuedRow Queued(const QSqlDatabase& db, const QString& uuid, const QString& target) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT tries, last_error FROM outbox WHERE uuid = ? AND target = ?"));
    q.addBindValue(uuid);
    q.addBindValue(target);
    if (!q.exec() || !q.next()) return {};
    return {q.value(0).toInt(), q.value(1).toString()};
}

QVector<AttemptKind> EveryKind() {
    QVector<AttemptKind> kinds;
    int n = 0;
    auto add = [&](const QString& mode, const QString& outcome, std::optional<bool> passed, bool id,
                   bool shock, const QString& profile, int category, const QVector<int>& points) {
        xapi::Attempt a;
        a.uuid = QStringLiteral("3f2b8c1e-5d4a-4c2b-9e7f-%1").arg(++n, 12, 10, QLatin1Char('0'));
        a.traineeName = QStringLiteral("Kim Lee");
        a.traineeId = id ? QStringLiteral("4711") : QString();
        a.mode = mode;
        a.profile = profile;
        a.startedAt = QStringLiteral("2026-12-08T09:%1:00+01:00").arg(n, 2, 10, QLatin1Char('0'));
        a.elapsedMs = 61000 + n * 1234;
        if (shock) a.firstShockMs = 45210;
        a.outcome = outcome;
        a.passed = passed;
        a.patientCategory = category;
        a.patientAge = category == 0 || category >= 3 ? 54 : 6;
        a.shocksNeeded = shock ? 2 : 0;
        a.station = QStringLiteral("station-3");
        for (int p : points) {
            a.score += p;
            (p > 0 ? a.pointsEarned : a.pointsDeducted) += p;
        }
        if (a.pointsDeducted < 0) a.errors << QStringLiteral("Stopped CPR too soon (-35).");
        a.figures = {{QStringLiteral("TimeToResponse"), QStringLiteral("3200")},
                     {QStringLiteral("Deductions"), QString::number(a.errors.size())}};
        if (shock) {
            a.cprFraction = 72.5;
            a.figures.append({QStringLiteral("CPRFraction"), QStringLiteral("72.5")});
            a.figures.append({QStringLiteral("PreShockPause(1)"), QStringLiteral("8400")});
            a.figures.append({QStringLiteral("TimeToFirstShock"), QStringLiteral("45210")});
        }
        kinds.append({a, points});
    };
    const QString practice = QStringLiteral("Practice"), test = QStringLiteral("Test");
    const QString completed = QStringLiteral("completed"), ended = QStringLiteral("terminated");
    const QString classic = QStringLiteral("Classic"), current = QStringLiteral("Current");
    add(practice, completed, std::nullopt, true, true, classic, 0, {20, 15, 10, -35});
    add(practice, completed, std::nullopt, false, false, current, 2, {20, 15});
    add(test, completed, true, true, true, current, 1, {20, 15, 10});
    add(test, completed, true, false, false, classic, 3, {20});
    add(test, completed, false, true, false, classic, 4, {20, -35, -50});
    add(test, completed, false, false, true, current, 0, {10, -5});
    add(practice, ended, std::nullopt, true, false, classic, 0, {});
    add(test, ended, false, false, true, current, 2, {20, -35});
    return kinds;
}

}  // namespace ardentix::test
