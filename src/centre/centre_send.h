#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

// Sending the results that wait in the station's outbox (target `centre`) to the centre's
// server, oldest first. An attempt goes over in one transaction of the server, with its errors,
// events and figures, and leaves the outbox only once the server has committed it. Its uuid
// makes a send idempotent: an attempt the server has already (a send whose answer was lost) is
// not written again, and its outbox line goes.
namespace ardentix::centre {

inline constexpr const char* kCentreTarget = "centre";

struct SendReport {
    // The uuids the server took, in the order they were sent.
    QStringList sent;
    // What still waits after the run.
    int waiting = 0;
    // Why the run stopped before the outbox was empty; nothing when it is.
    std::optional<QString> failure;
};

// Sends what waits, stopping at the first attempt the server does not take (it is tried first
// again next time; its tries count up and its last_error says why).
SendReport SendWaiting(QSqlDatabase& local, QSqlDatabase& centre);

// The attempts waiting for the centre server; nothing when the outbox cannot be read.
std::optional<int> CountWaiting(QSqlDatabase& local);

// Notes a failure that came before anything was sent (the server could not be reached) on
// every attempt that waits: one more try each, and the reason.
void NoteFailedTry(QSqlDatabase& local, const QString& reason);

}  // namespace ardentix::centre
