#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/result.h"

// Writing a scenario's result into the results database.
namespace ardentix::store {

// Writes one attempt with its errors, events and figures in one transaction, and queues it in
// the outbox for each target (`centre`, `lrs`): in the database whole or not at all. An attempt
// whose uuid is there already is left as it is (written twice, it is there once). Nothing on
// success, else the reason.
std::optional<QString> WriteAttempt(QSqlDatabase& db, const ScenarioResult& result,
                                    const QStringList& targets = {});

// Queues an attempt of the database to be sent to a target; queued already, nothing changes.
// Runs in the caller's transaction when one is open.
std::optional<QString> QueueFor(QSqlDatabase& db, const QString& uuid, const QString& target);

// The time of writing as the database keeps it: ISO 8601 with the station's offset.
QString NowText();

}  // namespace ardentix::store
