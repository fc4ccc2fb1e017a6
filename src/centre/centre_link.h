#pragma once
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <optional>

#include "centre/centre_db.h"
#include "centre/centre_send.h"
#include "core/centre_uri.h"

// The station's side of the centre server in the Qt program. Sending runs on a thread of its
// own, so that the window never waits for a server that is down (a connection gives up after
// kConnectTimeout seconds); what a run found comes back to the window's thread as a status line.
namespace ardentix::centre {

// How the last run went.
struct CentreStatus {
    bool used = false;     // the centre server is chosen and its address usable
    bool running = false;  // a run is under way
    int waiting = 0;
    int sent = 0;          // by the last run
    bool password = false; // the last run failed on the password
    QString failure;       // why the last run stopped; empty when it emptied the outbox
    QString server;        // "station@host:5432/results"
};

// The line under the results database's group: empty while this computer keeps the results.
QString StatusLine(const CentreStatus& status);

class CentreLink : public QObject {
    Q_OBJECT
  public:
    // `address` is asked at each run, in the window's thread: the centre's address when the
    // centre server is chosen, nothing otherwise (or a refused address, with its reason).
    CentreLink(QString databasePath, std::function<CentreUri()> address,
               QObject* parent = nullptr);
    // Waits for a run under way (at most the connection's timeout).
    ~CentreLink() override;

    // Sends what waits; a request during a run makes one more run after it.
    void SendNow();
    const CentreStatus& Status() const { return status_; }

  signals:
    // After every change of the status, with its line.
    void StatusChanged(const QString& line);

  private:
    void finished(const CentreStatus& result);

    QString databasePath_;
    std::function<CentreUri()> address_;
    CentreStatus status_;
    bool again_ = false;
    QThreadPool pool_;
};

// One run, as the link's thread makes it: opens the station's database and the server, sends
// what waits and counts what is left. Usable from any thread (ardentix-script calls it at once).
CentreStatus RunSend(const QString& databasePath, const CentreAddress& address,
                     int connectTimeout = kConnectTimeout);

}  // namespace ardentix::centre
