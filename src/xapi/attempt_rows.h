#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "xapi/statement.h"

namespace ardentix::xapi {

// An attempt of the results database with its errors, figures and the points of its events;
// nothing when there is no attempt of that UUID or the database cannot be read (error then says
// why, and is left empty for a missing attempt).
std::optional<Attempt> ReadAttempt(const QSqlDatabase& db, const QString& uuid, QString* error);

// The UUIDs of every attempt, the earliest start first.
QStringList AttemptIds(const QSqlDatabase& db, QString* error);

}  // namespace ardentix::xapi
