#pragma once
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <optional>

#include "centre/centre_run.h"
#include "core/centre_uri.h"

// The station's side of the centre server in the Qt program. Sending runs on a thread of its
// own, so that the window never waits for a server that is down (a connection gives up after
// kConnectTimeout seconds); what a run found comes back to the window's thread as a status line.
namespace ardentix::centre {

class CentreLink : public QObject {
    Q_OBJECT
  public:
    // `address` is asked at each run, in the window's thread: the centre's address when the
    // centre server is chosen, nothing otherwise (or a refused address, with its reason).
    CentreLink(QString databasePath, std::function<CentreUri()> address, QObject* parent = nullptr);
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

}  // namespace ardentix::centre
