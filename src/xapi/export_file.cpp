#include "xapi/export_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include "xapi/attempt_rows.h"

namespace ardentix::xapi {

bool ExportStatements(const QSqlDatabase& db, const QStringList& uuids, const LrsSettings& settings,
                      const QString& path, QString* error) {
    QJsonArray statements;
    for (const QString& uuid : uuids) {
        QString why;
        const std::optional<Attempt> attempt = ReadAttempt(db, uuid, &why);
        if (!attempt) {
            *error =
                why.isEmpty() ? QStringLiteral("No attempt %1 in the database.").arg(uuid) : why;
            return false;
        }
        statements.append(Statement(*attempt, settings));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(statements).toJson(QJsonDocument::Indented)) < 0 ||
        !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace ardentix::xapi
