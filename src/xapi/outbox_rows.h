#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace ardentix::xapi {

// The outbox rows of the learning record store (target "lrs").
inline constexpr const char* kLrsTarget = "lrs";

// The UUIDs waiting for a target, the oldest first.
QStringList QueuedIds(const QSqlDatabase& db, const QString& target, QString* error);
// The row is gone: its statement was taken.
bool DropQueued(const QSqlDatabase& db, const QString& uuid, const QString& target, QString* error);
// One more failed try of the row, with its reason.
bool CountFailedTry(const QSqlDatabase& db, const QString& uuid, const QString& target,
                    const QString& reason, QString* error);

}  // namespace ardentix::xapi
