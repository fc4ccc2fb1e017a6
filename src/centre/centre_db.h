#pragma once
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/centre_uri.h"

// A connection to the centre's PostgreSQL server. The password is never given here: the
// server's client library finds it in the .pgpass file of the user (or the file PGPASSFILE
// names), as it does for every other client of the server.
namespace ardentix::centre {

// Seconds a connection waits for the server before it gives up (the client library's least is
// 2): a station whose server is down learns it quickly, and only the sending thread waits.
inline constexpr int kConnectTimeout = 5;

// Why the server could not be used, in words an instructor acts on.
struct CentreFailure {
    QString reason;
    // The server refused the password, or none was found: the .pgpass file needs looking at.
    bool password = false;
};

// One connection of its own name, opened and closed in the thread that made it.
class CentreDb {
  public:
    explicit CentreDb(const CentreAddress& address, int connectTimeout = kConnectTimeout);
    ~CentreDb();
    CentreDb(const CentreDb&) = delete;
    CentreDb& operator=(const CentreDb&) = delete;

    // Connects and brings the server's tables forward to this program's version (one station at
    // a time: two stations starting together on an empty database would both create them).
    std::optional<CentreFailure> Open();
    QSqlDatabase& Db() { return db_; }

  private:
    CentreAddress address_;
    QString connection_;
    QSqlDatabase db_;
};

// The client library's message for a connection that failed, told plainly; `address` names
// the user and the server in it.
CentreFailure ExplainConnectFailure(const QString& message, const CentreAddress& address);

}  // namespace ardentix::centre
