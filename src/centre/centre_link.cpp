#include "centre/centre_link.h"

#include <QPointer>

namespace ardentix::centre {

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
