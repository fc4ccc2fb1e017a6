#include "centre/centre_run.h"

#include "store/database.h"

namespace ardentix::centre {

namespace {

QString results(int count) {
    return count == 1 ? QStringLiteral("1 result") : QStringLiteral("%1 results").arg(count);
}

}  // namespace

QString StatusLine(const CentreStatus& status) {
    if (!status.used) return status.failure;
    if (status.running)
        return QStringLiteral("Sending to the centre server %1 ...").arg(status.server);
    if (!status.failure.isEmpty() && status.waiting == 0)
        return QStringLiteral("Centre server: %1 (no results waiting)").arg(status.failure);
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

}  // namespace ardentix::centre
