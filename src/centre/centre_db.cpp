#include "centre/centre_db.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>

#include "store/database.h"
#include "store/schema.h"

namespace ardentix::centre {

namespace {

// The key of the advisory lock that lets one station at a time bring the tables forward.
constexpr const char* kMigrationLock = "7140325061";

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CentreDb::CentreDb(const CentreAddress& address, int connectTimeout)
    : address_(address),
      connection_(QStringLiteral("centre-") + QUuid::createUuid().toString(QUuid::Id128)) {
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection_);
    db_.setHostName(qt(address.host));
    db_.setPort(address.port);
    db_.setDatabaseName(qt(address.database));
    db_.setUserName(qt(address.user));
    QStringList options{QStringLiteral("connect_timeout=%1").arg(connectTimeout),
                        QStringLiteral("application_name=ardentix")};
    for (const auto& [name, value] : address.options)
        options << qt(name) + QLatin1Char('=') + qt(value);
    db_.setConnectOptions(options.join(QLatin1Char(';')));
}

CentreDb::~CentreDb() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

std::optional<CentreFailure> CentreDb::Open() {
    if (!db_.isValid())
        return CentreFailure{
            QStringLiteral("this computer lacks Qt's PostgreSQL driver "
                           "(Debian: libqt6sql6-psql)")};
    if (!db_.isOpen() && !db_.open())
        return ExplainConnectFailure(store::ErrorText(db_.lastError()), address_);
    QSqlQuery lock(db_);
    if (!lock.exec(QStringLiteral("SELECT pg_advisory_lock(%1)").arg(kMigrationLock)))
        return CentreFailure{store::ErrorText(lock.lastError())};
    std::optional<QString> failure = store::Migrate(db_);
    lock.exec(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(kMigrationLock));
    if (failure) return CentreFailure{QStringLiteral("the server's database: ") + *failure};
    return std::nullopt;
}

CentreFailure ExplainConnectFailure(const QString& message, const CentreAddress& address) {
    const QString user = qt(address.user);
    const QString server = qt(address.host) + QLatin1Char(':') + QString::number(address.port);
    if (message.contains(QLatin1String("password authentication failed")))
        return {QStringLiteral("the server refused the password of %1: correct it in the .pgpass "
                               "file of this computer's user")
                    .arg(user),
                true};
    if (message.contains(QLatin1String("no password supplied")))
        return {QStringLiteral("no password for %1 on %2 in the .pgpass file of this computer's "
                               "user")
                    .arg(user, server),
                true};
    if (message.contains(QLatin1String("Connection refused")))
        return {
            QStringLiteral("the server at %1 does not answer (connection refused)").arg(server)};
    if (message.contains(QLatin1String("timeout expired")))
        return {QStringLiteral("no answer from the server at %1").arg(server)};
    if (message.contains(QLatin1String("could not translate host name")))
        return {QStringLiteral("the server's name %1 is unknown").arg(qt(address.host))};
    // Otherwise the server's own words, without the client library's prefixes.
    QString text = message.section(QLatin1Char('\n'), 0, 0).trimmed();
    const int fatal = text.indexOf(QLatin1String("FATAL:"));
    if (fatal >= 0) text = text.mid(fatal + 6).trimmed();
    return {text.isEmpty() ? QStringLiteral("the server cannot be reached") : text};
}

}  // namespace ardentix::centre
