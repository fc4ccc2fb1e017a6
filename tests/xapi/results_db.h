#pragma once
// A results database in a test's own folder, with attempts of every kind the program records.
#include <QSqlDatabase>
#include <QString>
#include <QVector>

#include "xapi/statement.h"

namespace ardentix::test {

// Opens (creating it) the database file under a connection of this name with the program's
// tables (store::Migrate). Its foreign keys are not enforced, so that a test can leave an outbox
// row without its attempt.
QSqlDatabase OpenResults(const QString& path, const QString& connection);

// Writes an attempt with its errors, its figures and one event for each of the points given
// (attempt.pointsEarned and pointsDeducted are what those events add up to).
void WriteAttempt(QSqlDatabase& db, const xapi::Attempt& attempt, const QVector<int>& points);
// Queues an attempt for a target at the given time.
void Queue(QSqlDatabase& db, const QString& uuid, const QString& target, const QString& queuedAt);
// The tries and last error of an outbox row; tries -1 when there is no such row.
struct QueuedRow {
    int tries = -1;
    QString lastError;
};
QueuedRow Queued(const QSqlDatabase& db, const QString& uuid, const QString& target);

// An attempt of the given kind, its UUID made from n.
struct AttemptKind {
    xapi::Attempt attempt;
    QVector<int> points;
};
// Every kind of attempt: a completed practice, a passed and a failed test, a terminated practice
// and test; with and without a trainee ID and a shock, under both protocols, every patient.
QVector<AttemptKind> EveryKind();

}  // namespace ardentix::test
