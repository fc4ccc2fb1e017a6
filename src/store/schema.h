#pragma once
#include <QString>
#include <optional>

class QSqlDatabase;

// The tables of the results database and their versions (docs/results-database.md). The SQL is
// kept to what SQLite and PostgreSQL both take, so that a station's ARDENTIX.DB and a centre's
// server are brought forward by the same steps.
namespace ardentix::store {

// The version this program writes.
inline constexpr int kSchemaVersion = 3;

// The version of an open database: 0 when it has no schema_version table yet (a new file);
// nothing when it cannot be read.
std::optional<int> SchemaVersion(QSqlDatabase& db);

// Brings the database forward to `target` (at most kSchemaVersion) step by step, each step in a
// transaction of its own. A database already there is left alone; one of a newer version than
// this program knows is not touched and gives an error. Nothing on success, else the reason.
std::optional<QString> Migrate(QSqlDatabase& db, int target = kSchemaVersion);

}  // namespace ardentix::store
