#include "centre/centre_send.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <array>

#include "store/database.h"

namespace ardentix::centre {

namespace {

// The lines of an attempt, copied after it.
constexpr std::array<const char*, 3> kLineTables = {"attempt_errors", "attempt_events",
                                                    "attempt_figures"};

QString target() {
    return QString::fromLatin1(kCentreTarget);
}

// Copies the rows of `table` whose uuid is `uuid`, column by column as the local database has
// them (both databases have the same tables: the same migrations made them). With
// `onlyNew`, a row whose uuid the server has already is left as it is; the result says whether
// a row was written.
std::optional<QString> copyRows(QSqlDatabase& local, QSqlDatabase& centre, const QString& table,
                                const QString& uuid, bool onlyNew, bool* wrote = nullptr) {
    QSqlQuery read(local);
    read.setForwardOnly(true);
    read.prepare(QStringLiteral("SELECT * FROM %1 WHERE uuid = ?").arg(table));
    read.addBindValue(uuid);
    if (!read.exec()) return store::ErrorText(read.lastError());
    QSqlQuery write(centre);
    while (read.next()) {
        const QSqlRecord row = read.record();
        QStringList names;
        QStringList marks;
        for (int i = 0; i < row.count(); ++i) {
            names << row.fieldName(i);
            marks << QStringLiteral("?");
        }
        QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        if (onlyNew) sql += QStringLiteral(" ON CONFLICT (uuid) DO NOTHING");
        write.prepare(sql);
        for (int i = 0; i < row.count(); ++i)
            write.addBindValue(row.value(i));
        if (!write.exec()) return store::ErrorText(write.lastError());
        if (wrote) *wrote = write.numRowsAffected() > 0;
    }
    return std::nullopt;
}

std::optional<QString> sendOne(QSqlDatabase& local, QSqlDatabase& centre, const QString& uuid) {
    if (!centre.transaction()) return store::ErrorText(centre.lastError());
    bool wrote = false;
    std::optional<QString> failure =
        copyRows(local, centre, QStringLiteral("attempts"), uuid, true, &wrote);
    // The server has the attempt already: its lines came with it.
    for (const char* table : kLineTables) {
        if (failure || !wrote) break;
        failure = copyRows(local, centre, QString::fromLatin1(table), uuid, false);
    }
    if (failure) {
        centre.rollback();
        return failure;
    }
    if (!centre.commit()) {
        const QString why = store::ErrorText(centre.lastError());
        centre.rollback();
        return why;
    }
    return std::nullopt;
}

void noteTry(QSqlDatabase& local, const QString& uuid, const QString& reason) {
    QSqlQuery note(local);
    note.prepare(
        QStringLiteral("UPDATE outbox SET tries = tries + 1, last_error = ? "
                       "WHERE target = ? AND (uuid = ? OR ? IS NULL)"));
    note.addBindValue(reason);
    note.addBindValue(target());
    note.addBindValue(uuid.isNull() ? QVariant() : QVariant(uuid));
    note.addBindValue(uuid.isNull() ? QVariant() : QVariant(uuid));
    note.exec();
}

}  // namespace

std::optional<int> CountWaiting(QSqlDatabase& local) {
    QSqlQuery count(local);
    count.prepare(QStringLiteral("SELECT COUNT(*) FROM outbox WHERE target = ?"));
    count.addBindValue(target());
    if (!count.exec() || !count.next()) return std::nullopt;
    return count.value(0).toInt();
}

void NoteFailedTry(QSqlDatabase& local, const QString& reason) {
    noteTry(local, QString(), reason);
}

SendReport SendWaiting(QSqlDatabase& local, QSqlDatabase& centre) {
    SendReport report;
    QStringList uuids;
    {
        QSqlQuery waiting(local);
        waiting.prepare(
            QStringLiteral("SELECT uuid FROM outbox WHERE target = ? ORDER BY queued_at, rowid"));
        waiting.addBindValue(target());
        if (!waiting.exec()) {
            report.failure = store::ErrorText(waiting.lastError());
            report.waiting = CountWaiting(local).value_or(0);
            return report;
        }
        while (waiting.next())
            uuids << waiting.value(0).toString();
    }
    for (const QString& uuid : uuids) {
        if (std::optional<QString> failure = sendOne(local, centre, uuid)) {
            noteTry(local, uuid, *failure);
            report.failure = failure;
            break;
        }
        QSqlQuery done(local);
        done.prepare(QStringLiteral("DELETE FROM outbox WHERE uuid = ? AND target = ?"));
        done.addBindValue(uuid);
        done.addBindValue(target());
        if (!done.exec()) {
            // Sent, but still listed: the next run finds it on the server and drops it then.
            report.failure = store::ErrorText(done.lastError());
            break;
        }
        report.sent << uuid;
    }
    report.waiting =
        CountWaiting(local).value_or(static_cast<int>(uuids.size() - report.sent.size()));
    return report;
}

}  // namespace ardentix::centre
