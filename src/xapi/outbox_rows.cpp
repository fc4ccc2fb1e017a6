#include "xapi/outbox_rows.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <initializer_list>

namespace ardentix::xapi {

namespace {

bool exec(QSqlQuery& query, const QString& sql, std::initializer_list<QVariant> values,
          QString* error) {
    if (query.prepare(sql)) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (query.exec()) return true;
    }
    if (error) *error = query.lastError().text();
    return false;
}

}  // namespace

QStringList QueuedIds(const QSqlDatabase& db, const QString& target, QString* error) {
    QStringList ids;
    QSqlQuery query(db);
    if (!exec(query,
              QStringLiteral("SELECT uuid FROM outbox WHERE target = ? ORDER BY queued_at, uuid"),
              {target}, error)) {
        return ids;
    }
    while (query.next())
        ids << query.value(0).toString();
    return ids;
}

bool DropQueued(const QSqlDatabase& db, const QString& uuid, const QString& target,
                QString* error) {
    QSqlQuery query(db);
    return exec(query, QStringLiteral("DELETE FROM outbox WHERE uuid = ? AND target = ?"),
                {uuid, target}, error);
}

bool CountFailedTry(const QSqlDatabase& db, const QString& uuid, const QString& target,
                    const QString& reason, QString* error) {
    QSqlQuery query(db);
    return exec(query,
                QStringLiteral("UPDATE outbox SET tries = tries + 1, last_error = ? "
                               "WHERE uuid = ? AND target = ?"),
                {reason, uuid, target}, error);
}

}  // namespace ardentix::xapi
