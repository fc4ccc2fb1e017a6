#include "xapi/send/lrs_sender.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSqlDatabase>
#include <QUrl>

#include "xapi/attempt_rows.h"
#include "xapi/outbox_rows.h"

namespace ardentix::xapi {

namespace {

const QString kTarget = QString::fromLatin1(kLrsTarget);

// The statements resource of an endpoint given with or without it, with or without its slash.
QUrl statementsUrl(const QString& endpoint) {
    QString url = endpoint.trimmed();
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    if (!url.endsWith(QLatin1String("/statements"))) url += QLatin1String("/statements");
    return QUrl(url);
}

// The store refused this one statement (it is malformed to it): the others may still go.
bool refusedAlone(int status) {
    return status >= 400 && status < 500 && status != 401 && status != 403 && status != 404 &&
           status != 408 && status != 429;
}

}  // namespace

LrsSender::LrsSender(QString connection, std::function<LrsSettings()> settings,
                     std::function<void(const LrsRound&)> done, QObject* parent)
    : QObject(parent),
      connection_(std::move(connection)),
      settings_(std::move(settings)),
      done_(std::move(done)),
      network_(new QNetworkAccessManager(this)) {}

LrsSender::~LrsSender() = default;

void LrsSender::SendQueued() {
    if (sending_) {
        again_ = true;
        return;
    }
    current_ = settings_();
    if (!current_.send || current_.endpoint.trimmed().isEmpty()) return;
    round_ = LrsRound{};
    sending_ = true;
    // The round begins from the event loop, so that its end is never answered inside the call.
    QMetaObject::invokeMethod(this, &LrsSender::start, Qt::QueuedConnection);
}

void LrsSender::start() {
    QString error;
    waiting_ = QueuedIds(QSqlDatabase::database(connection_, false), kTarget, &error);
    if (!error.isEmpty()) return finish(error);
    next();
}

void LrsSender::next() {
    if (waiting_.isEmpty()) return finish();
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const QString uuid = waiting_.first();
    QString error;
    const std::optional<Attempt> attempt = ReadAttempt(db, uuid, &error);
    if (!attempt) {
        // An attempt the database cannot give holds back no other.
        waiting_.removeFirst();
        if (error.isEmpty()) error = QStringLiteral("The attempt is not in the database.");
        if (!markFailed(uuid, error)) return;
        return next();
    }
    QNetworkRequest request(statementsUrl(current_.endpoint));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("X-Experience-API-Version", "1.0.3");
    request.setRawHeader(
        "Authorization",
        "Basic " + (current_.key + QLatin1Char(':') + current_.secret).toUtf8().toBase64());
    request.setTransferTimeout(timeout_);
    const QByteArray body =
        QJsonDocument(Statement(*attempt, current_)).toJson(QJsonDocument::Compact);
    QNetworkReply* reply = network_->post(request, body);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { answered(reply); });
}

void LrsSender::answered(QNetworkReply* reply) {
    reply->deleteLater();
    const QString uuid = waiting_.takeFirst();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // 409: the store has a statement of this id already, which is this attempt's.
    if (status == 200 || status == 204 || status == 409) {
        QString error;
        if (!DropQueued(QSqlDatabase::database(connection_, false), uuid, kTarget, &error))
            return finish(error);
        ++round_.sent;
        return next();
    }
    QString reason;
    if (status != 0) {
        const QString phrase =
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        reason = QStringLiteral("The learning record store answered %1 %2").arg(status).arg(phrase);
        const QByteArray said = reply->readAll().left(200).trimmed();
        if (!said.isEmpty()) reason += QStringLiteral(": ") + QString::fromUtf8(said);
    } else if (reply->error() == QNetworkReply::OperationCanceledError) {
        reason = QStringLiteral("The learning record store did not answer within %1 s.")
                     .arg(timeout_ / 1000.0);
    } else {
        reason = reply->errorString();
    }
    if (!markFailed(uuid, reason)) return;
    if (refusedAlone(status)) return next();
    finish(reason);
}

bool LrsSender::markFailed(const QString& uuid, const QString& reason) {
    QString error;
    const bool counted =
        CountFailedTry(QSqlDatabase::database(connection_, false), uuid, kTarget, reason, &error);
    round_.error = reason;
    if (!counted) finish(error);
    return counted;
}

void LrsSender::finish(const QString& error) {
    if (!error.isEmpty()) round_.error = error;
    QString ignored;
    round_.waiting = static_cast<int>(
        QueuedIds(QSqlDatabase::database(connection_, false), kTarget, &ignored).size());
    sending_ = false;
    waiting_.clear();
    const LrsRound round = round_;
    if (done_) done_(round);
    if (again_) {
        again_ = false;
        SendQueued();
    }
}

}  // namespace ardentix::xapi
