#include "store/query.h"

#include "store/database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace ardentix::store {

namespace {

std::string queryFailure(const QSqlError& error) {
    return ErrorText(error).toStdString();
}

ColumnRows query(QSqlDatabase& db, const std::string& sql) {
    ColumnRows rows;
    if (!db.open()) {
        rows.failure = queryFailure(db.lastError());
        return rows;
    }
    QSqlQuery q(db);
    if (!q.exec(QString::fromStdString(sql))) {
        rows.failure = queryFailure(q.lastError());
        return rows;
    }
    while (q.next()) {
        const QVariant value = q.value(0);
        rows.values.push_back(value.isNull() ? "NULL" : value.toString().toStdString());
    }
    return rows;
}

}  // namespace

ColumnRows QueryColumn(const std::string& path, const std::string& sql) {
    const QString connection = QStringLiteral("query-") + QUuid::createUuid().toString();
    ColumnRows rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QString::fromStdString(path));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        rows = query(db, sql);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

}  // namespace ardentix::store
