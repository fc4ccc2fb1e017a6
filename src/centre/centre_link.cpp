#include "centre/centre_link.h"

#include <QPointer>

#include "store/database.h"

namespace ardentix::centre {

namespace {

QString results(int count) {
    return count == 1 ? QStringLiteral("1 result") : QStringLiteral("%1 results").arg(count);
}

}  // namespace

QString StatusLine(const CentreStatus& status) {
    if (!status.used) return status.failure;
    if (status.running) return QStringLiteral("Sending to the centre server %1 ...").arg(status.server);
    if (!status.failure.isEmpty())
        return QStringLiteral("%1 waiting for the centre server: %2")
            .arg(results(status.waiting), status.failure);
    if (status.waiting > 0)
        return QStringLiteral("%1 waiting for the centre server").arg(results(status.waiting));
    return QStringLiteral("Every result is on the centre server %1").arg(status.server);
}

CentreStatus RunSend(const QString& databasePath, const CentreAddress& address,
                     int connectTimeout) {
    CentreStatus status;
    status.used = true;
    status.server = QString::fromStdString(CentreAddressText(address));
    store::ResultsDb local(databasePath);
    if (std::optional<QString> failure = local.Open()) {
        status.failure = QStringLiteral("this computer's results database: ") + *failure;
        return status;
    }
    CentreDb centre(address, connectTimeout);
    if (std::optional<CentreFailure> failure = centre.Open()) {
        NoteFailedTry(local.Db(), failure->reason);
        status.failure = failure->reason;
        status.password = failure->password;
        status.waiting = CountWaiting(local.Db()).value_or(0);
        return status;
    }
    const SendReport report = SendWaiting(local.Db(), centre.Db());
    status.sent = static_cast<int>(report.sent.size());
    status.waiting = report.waiting;
    status.failure = report.failure.value_or(QString());
    return status;
}

CentreLink::CentreLink(QString databasePath, std::function<CentreUri()> address, QObject* parent)
    : QObject(parent), databasePath_(std::move(databasePath)), address_(std::move(address)) {
    pool_.setMaxThreadCount(1);
}

CentreLink::~CentreLink() {
    pool_.waitForDone();
}

void CentreLink::SendNow() {
    if (status_.running) {
        again_ = true;
        return;
    }
    const CentreUri uri = address_();
    if (!uri.ok) {
        // This computer keeps the results, or the address cannot be used: nothing to send to.
        status_ = CentreStatus{};
        status_.failure = QString::fromStdString(uri.error);
        emit StatusChanged(StatusLine(status_));
        return;
    }
    status_.used = true;
    status_.running = true;
    status_.server = QString::fromStdString(CentreAddressText(uri.address));
    emit StatusChanged(StatusLine(status_));
    QPointer<CentreLink> self(this);
    const QString path = databasePath_;
    const CentreAddress address = uri.address;
    pool_.start([self, path, address] {
        const CentreStatus result = RunSend(path, address);
        QMetaObject::invokeMethod(
            self.data(),
            [self, result] {
                if (self) self->finished(result);
            },
            Qt::QueuedConnection);
    });
}

void CentreLink::finished(const CentreStatus& result) {
    status_ = result;
    emit StatusChanged(StatusLine(status_));
    if (again_) {
        again_ = false;
        SendNow();
    }
}

}  // namespace ardentix::centre
