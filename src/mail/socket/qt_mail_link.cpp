#include "mail/socket/qt_mail_link.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTcpSocket>

namespace ardentix {

namespace {

// The client goes by IPv4 addresses; a host with none is still reached by the first it has.
QString chooseAddress(const QList<QHostAddress>& addresses) {
    for (const QHostAddress& a : addresses) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol) return a.toString();
    }
    return addresses.isEmpty() ? QString() : addresses.first().toString();
}

}  // namespace

QtMailLink::QtMailLink(std::function<void(const LinkAnswer&)> answer, QObject* parent)
    : QObject(parent), answer_(std::move(answer)) {}

QtMailLink::~QtMailLink() {
    drop();
}

void QtMailLink::post(LinkAnswer answer) {
    const unsigned generation = generation_;
    QMetaObject::invokeMethod(
        this,
        [this, generation, answer = std::move(answer)] {
            if (generation == generation_) answer_(answer);
        },
        Qt::QueuedConnection);
}

// Forgets the lookup or connection at once, whatever the server is doing.
void QtMailLink::drop() {
    ++generation_;
    if (lookUp_ >= 0) QHostInfo::abortHostLookup(lookUp_);
    lookUp_ = -1;
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
        socket_->deleteLater();
    }
    socket_ = nullptr;
    opened_ = false;
    closed_ = false;
}

void QtMailLink::LookUp(const std::string& host) {
    drop();
    const unsigned generation = generation_;
    lookUp_ = QHostInfo::lookupHost(
        QString::fromStdString(host), this, [this, generation](const QHostInfo& info) {
            if (generation != generation_) return;
            lookUp_ = -1;
            const QString address =
                info.error() == QHostInfo::NoError ? chooseAddress(info.addresses()) : QString();
            if (address.isEmpty()) {
                post({LinkAnswer::Kind::HostNotFound, {}});
            } else {
                post({LinkAnswer::Kind::HostFound, address.toStdString()});
            }
        });
}

void QtMailLink::Open(const std::string& address, int port) {
    drop();
    socket_ = new QTcpSocket(this);
    QTcpSocket* socket = socket_;
    connect(socket, &QTcpSocket::connected, this, [this] {
        opened_ = true;
        post({LinkAnswer::Kind::Opened, {}});
    });
    connect(socket, &QTcpSocket::readyRead, this, [this] { readAll(); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this](qint64 n) {
        post({LinkAnswer::Kind::Written, {}, static_cast<size_t>(n)});
    });
    connect(socket, &QTcpSocket::disconnected, this, [this] { hungUp(); });
    connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (!opened_) {
            if (!closed_) post({LinkAnswer::Kind::OpenFailed, {}});
            closed_ = true;
            return;
        }
        // A reset or a refused write ends the connection as a hang-up does.
        hungUp();
    });
    socket->connectToHost(QString::fromStdString(address), static_cast<quint16>(port));
}

void QtMailLink::readAll() {
    if (!socket_) return;
    const QByteArray bytes = socket_->readAll();
    if (!bytes.isEmpty()) post({LinkAnswer::Kind::Received, bytes.toStdString()});
}

// What the server sent before it went is read first.
void QtMailLink::hungUp() {
    if (closed_) return;
    readAll();
    closed_ = true;
    post({LinkAnswer::Kind::Closed, {}});
}

void QtMailLink::Write(const std::string& bytes) {
    if (!socket_ || !opened_ || closed_) return;
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtMailLink::Close() {
    drop();
}

}  // namespace ardentix
