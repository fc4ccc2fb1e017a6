#include "net/qt_mail_link.h"

#include <QCryptographicHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QSslSocket>
#include <QStringList>

namespace ardentix {

namespace {

// The client goes by IPv4 addresses; a host with none is still reached by the first it has.
QString chooseAddress(const QList<QHostAddress>& addresses) {
    for (const QHostAddress& a : addresses) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol) return a.toString();
    }
    return addresses.isEmpty() ? QString() : addresses.first().toString();
}

bool isTlsError(QAbstractSocket::SocketError error) {
    return error == QAbstractSocket::SslHandshakeFailedError ||
           error == QAbstractSocket::SslInternalError ||
           error == QAbstractSocket::SslInvalidUserDataError;
}

// Besides the system's certificate authorities, those of the file named by SSL_CERT_FILE, as
// programs built on OpenSSL read it: a site with an authority of its own names it there.
void trustAuthoritiesOfEnvironment(QSslSocket* socket) {
    const QString path = qEnvironmentVariable("SSL_CERT_FILE");
    if (path.isEmpty()) return;
    QSslConfiguration configuration = socket->sslConfiguration();
    if (configuration.addCaCertificates(path)) socket->setSslConfiguration(configuration);
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
    reached_ = false;
    opened_ = false;
    closed_ = false;
    handshake_ = false;
    accepted_.clear();
    refusal_.clear();
    fingerprint_.clear();
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

void QtMailLink::Open(const std::string& address, int port, const TlsPeer* tls) {
    drop();
    socket_ = new QSslSocket(this);
    QSslSocket* socket = socket_;
    trustAuthoritiesOfEnvironment(socket);
    connect(socket, &QSslSocket::connected, this, [this] {
        reached_ = true;
        if (handshake_) return;  // opened once encrypted
        opened_ = true;
        post({LinkAnswer::Kind::Opened, {}});
    });
    connect(socket, &QSslSocket::encrypted, this, [this] { encrypted(); });
    connect(socket, &QSslSocket::sslErrors, this,
            [this](const QList<QSslError>& errors) { checkCertificate(errors); });
    connect(socket, &QSslSocket::readyRead, this, [this] { readAll(); });
    connect(socket, &QSslSocket::bytesWritten, this, [this](qint64 n) {
        post({LinkAnswer::Kind::Written, {}, static_cast<size_t>(n)});
    });
    connect(socket, &QSslSocket::disconnected, this, [this] {
        if (handshake_) {
            tlsFailed();
        } else {
            hungUp();
        }
    });
    connect(socket, &QSslSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (handshake_ && (reached_ || isTlsError(e))) {
            tlsFailed();
            return;
        }
        if (!opened_) {
            if (!closed_) post({LinkAnswer::Kind::OpenFailed, {}});
            closed_ = true;
            return;
        }
        // A reset or a refused write ends the connection as a hang-up does.
        hungUp();
    });
    const QString host = QString::fromStdString(address);
    if (!tls) {
        socket->connectToHost(host, static_cast<quint16>(port));
        return;
    }
    handshake_ = true;
    accepted_ = QString::fromStdString(tls->acceptedFingerprint).toLower().toStdString();
    socket->connectToHostEncrypted(host, static_cast<quint16>(port),
                                   QString::fromStdString(tls->name));
}

void QtMailLink::StartTls(const TlsPeer& peer) {
    if (!socket_ || !opened_ || closed_ || handshake_) return;
    handshake_ = true;
    accepted_ = QString::fromStdString(peer.acceptedFingerprint).toLower().toStdString();
    refusal_.clear();
    fingerprint_.clear();
    socket_->setPeerVerifyName(QString::fromStdString(peer.name));
    socket_->startClientEncryption();
}

void QtMailLink::encrypted() {
    if (!handshake_ || closed_) return;
    handshake_ = false;
    if (opened_) {
        post({LinkAnswer::Kind::Encrypted, {}});
        return;
    }
    opened_ = true;
    post({LinkAnswer::Kind::Opened, {}});
}

// The certificate did not verify: taken if it is the one the user accepted, else the reasons
// are kept for the failure that follows.
void QtMailLink::checkCertificate(const QList<QSslError>& errors) {
    if (!socket_) return;
    const QSslCertificate certificate = socket_->peerCertificate();
    const std::string fingerprint =
        certificate.isNull() ? std::string()
                             : certificate.digest(QCryptographicHash::Sha256).toHex().toStdString();
    if (!fingerprint.empty() && fingerprint == accepted_) {
        socket_->ignoreSslErrors();
        return;
    }
    QStringList reasons;
    for (const QSslError& error : errors)
        reasons << error.errorString();
    refusal_ = reasons.join(QStringLiteral("; ")).toStdString();
    fingerprint_ = fingerprint;
}

void QtMailLink::tlsFailed() {
    if (closed_) return;
    closed_ = true;
    handshake_ = false;
    const std::string reason = !refusal_.empty() ? refusal_
                               : socket_         ? socket_->errorString().toStdString()
                                                 : std::string();
    LinkAnswer answer{LinkAnswer::Kind::TlsFailed, reason};
    answer.fingerprint = fingerprint_;
    post(std::move(answer));
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
