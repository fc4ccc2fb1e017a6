#include "store/database.h"

#include <sys/stat.h>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "store/schema.h"

namespace ardentix::store {

namespace {

std::optional<QString> pragma(QSqlDatabase& db, const char* statement) {
    QSqlQuery query(db);
    if (query.exec(QString::fromLatin1(statement))) return std::nullopt;
    return ErrorText(query.lastError());
}

// The identity of a file by its device and inode; nothing when it is not there.
std::optional<std::pair<unsigned long long, unsigned long long>> identity(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return std::pair<unsigned long long, unsigned long long>(info.st_dev, info.st_ino);
}

}  // namespace

QString ErrorText(const QSqlError& error) {
    // The database's own words ("file is not a database", "database or disk is full"), else
    // the driver's.
    QString text = error.databaseText().trimmed();
    if (text.isEmpty()) text = error.driverText().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

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
    // Everything in the write-ahead log goes into the file it belongs to, and the log is emptied:
    // SQLite does so itself when the last connection closes, but not when the file was removed
    // or replaced since it was opened. A log left behind would be read as part of a new file of
    // the same name.
    if (open_) pragma(db_, "PRAGMA wal_checkpoint(TRUNCATE)");
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

std::optional<QString> ResultsDb::Open() {
    if (open_) return std::nullopt;
    if (!db_.open()) return ErrorText(db_.lastError());
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
    file_ = identity(path_);
    return std::nullopt;
}

bool ResultsDb::SameFile() const {
    return open_ && file_ && identity(path_) == file_;
}

}  // namespace ardentix::store
