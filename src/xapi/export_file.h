#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include "xapi/statement.h"

namespace ardentix::xapi {

// Writes the statements of the attempts of these UUIDs, in their order, to a file as one JSON
// array; the file is replaced whole or not at all. False with the reason when an attempt cannot
// be read or the file cannot be written.
bool ExportStatements(const QSqlDatabase& db, const QStringList& uuids, const LrsSettings& settings,
                      const QString& path, QString* error);

}  // namespace ardentix::xapi
