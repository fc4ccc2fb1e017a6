#pragma once
#include <QString>

#include "centre/centre_db.h"
#include "centre/centre_send.h"
#include "core/centre_uri.h"

// One sending run to the centre server and the line that tells how it went.
namespace ardentix::centre {

// How the last run went.
struct CentreStatus {
    bool used = false;     // the centre server is chosen and its address usable
    bool running = false;  // a run is under way
    int waiting = 0;
    int sent = 0;           // by the last run
    bool password = false;  // the last run failed on the password
    QString failure;        // why the last run stopped; empty when it emptied the outbox
    QString server;         // "station@host:5432/results"
};

// The line under the results database's group: empty while this computer keeps the results.
QString StatusLine(const CentreStatus& status);

// One run, as the link's thread makes it: opens the station's database and the server, sends
// what waits and counts what is left. Usable from any thread (ardentix-script calls it at once).
CentreStatus RunSend(const QString& databasePath, const CentreAddress& address,
                     int connectTimeout = kConnectTimeout);

}  // namespace ardentix::centre
