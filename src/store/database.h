#pragma once
#include <QSqlDatabase>
#include <QString>
#include <optional>
#include <utility>

class QSqlError;

// The station's results database, ARDENTIX.DB: SQLite in write-ahead-log mode with its foreign
// keys checked. A program killed in the middle of a write leaves it as it was before the
// transaction or after it, never between.
namespace ardentix::store {

// A database error as the user is told it.
QString ErrorText(const QSqlError& error);

class ResultsDb {
  public:
    // A connection of its own name, so that several stores (and tests) can be open at once.
    explicit ResultsDb(QString path);
    ~ResultsDb();
    ResultsDb(const ResultsDb&) = delete;
    ResultsDb& operator=(const ResultsDb&) = delete;

    // Opens the file (creating it when missing) and brings its tables forward; nothing when it
    // is ready, else the reason. Once open it stays open; a failed open is tried afresh.
    std::optional<QString> Open();
    bool IsOpen() const { return open_; }
    // Whether the file at the path is still the one opened (it was not removed or replaced by
    // another since).
    bool SameFile() const;
    QSqlDatabase& Db() { return db_; }
    const QString& Path() const { return path_; }

  private:
    QString path_;
    QString connection_;
    QSqlDatabase db_;
    bool open_ = false;
    // The file opened, by device and inode.
    std::optional<std::pair<unsigned long long, unsigned long long>> file_;
};

}  // namespace ardentix::store
