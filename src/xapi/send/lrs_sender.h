#pragma once
#include <QObject>
#include <QStringList>
#include <functional>

#include "xapi/lrs_queue.h"
#include "xapi/statement.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace ardentix::xapi {

// The outbox's statements posted to the learning record store over HTTP with Qt Network: POST
// ENDPOINT/statements with Basic authentication and X-Experience-API-Version 1.0.3. The store's
// 200 and 204 take a statement, and so does its 409: it has a statement of that id already, so
// posting the same attempt twice never makes two. The settings are asked at each round; the
// database is the connection of that name, opened by the program.
class LrsSender : public QObject, public LrsQueue {
  public:
    LrsSender(QString connection, std::function<LrsSettings()> settings,
              std::function<void(const LrsRound&)> done, QObject* parent = nullptr);
    ~LrsSender() override;

    void SendQueued() override;
    bool Sending() const override { return sending_; }
    // How long a statement may take before it counts as unanswered, in ms.
    void SetTimeout(int ms) { timeout_ = ms; }

  private:
    void start();
    void next();
    void answered(QNetworkReply* reply);
    void finish(const QString& error = {});
    bool markFailed(const QString& uuid, const QString& error);

    QString connection_;
    std::function<LrsSettings()> settings_;
    std::function<void(const LrsRound&)> done_;
    QNetworkAccessManager* network_;
    LrsSettings current_;
    QStringList waiting_;  // this round's, oldest first
    LrsRound round_;
    int timeout_ = 20000;
    bool sending_ = false;
    bool again_ = false;
};

}  // namespace ardentix::xapi
