#include "store/database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "store/schema.h"

namespace ardentix::store {

namespace {

std::optional<QString> pragma(QSqlDatabase& db, const char* statement) {
    QSqlQuery query(db);
    if (query.exec(QString::fromLatin1(statement))) return std::nullopt;
    return query.lastError().text().trimmed();
}

}  // namespace

ResultsDb::ResultsDb(QString path)
    : path_(std::move(path)),
      connection_(QStringLiteral("results-") + QUuid::createUuid().toString(QUuid::Id128)) {
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db_.setDatabaseName(path_);
    // Another program reading the file (a centre's sender, the sqlite3 tool) holds it only
    // briefly: wait for it rather than fail.
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
}

ResultsDb::~ResultsDb() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

std::optional<QString> ResultsDb::Open() {
    if (open_) return std::nullopt;
    if (!db_.open()) return db_.lastError().text().trimmed();
    // In write-ahead-log mode a commit survives the program being killed; NORMAL synchronising
    // is enough for that (only a power cut may lose the last commits, never the file's order),
    // and keeps a scenario's write far below the time a trainee notices.
    for (const char* statement :
         {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL", "PRAGMA foreign_keys = ON"}) {
        if (auto failure = pragma(db_, statement)) {
            db_.close();
            return failure;
        }
    }
    if (auto failure = Migrate(db_)) {
        db_.close();
        return failure;
    }
    open_ = true;
    return std::nullopt;
}

}  // namespace ardentix::store
