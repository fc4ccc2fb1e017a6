#include "store/qt_results_store.h"

#include <QSysInfo>
#include <QUuid>

#include "core/files.h"
#include "store/attempt_write.h"
#include "store/database.h"
#include "store/pending_file.h"

namespace ardentix::store {

QtResultsStore::QtResultsStore(std::string programDir) : programDir_(std::move(programDir)) {}

std::string QtResultsStore::databasePath() const {
    return ProgramFile(programDir_, kDatabaseFile);
}

std::optional<std::string> QtResultsStore::write(ResultsDb& db, const ScenarioResult& result) {
    if (auto failure = db.Open()) return failure->toStdString();
    const QStringList targets = targets_ ? targets_() : QStringList();
    if (auto failure = WriteAttempt(db.Db(), result, targets)) return failure->toStdString();
    return std::nullopt;
}

std::optional<std::string> QtResultsStore::writePending(ResultsDb& db) {
    return store::WritePending(ProgramFile(programDir_, kPendingFile),
                               [&](const ScenarioResult& result) { return write(db, result); });
}

std::optional<std::string> QtResultsStore::WritePending() {
    ResultsDb db(QString::fromStdString(databasePath()));
    return writePending(db);
}

std::optional<RecordFailure> QtResultsStore::Record(const ScenarioResult& given) {
    ScenarioResult result = given;
    result.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
    result.station = QSysInfo::machineHostName().toStdString();
    result.recordedAt = NowText().toStdString();
    ResultsDb db(QString::fromStdString(databasePath()));
    // What waited goes first, so the database keeps the order in which results came; when it
    // cannot go, this result is still tried (the pending file may be what failed).
    writePending(db);
    const std::optional<std::string> failure = write(db, result);
    if (!failure) return std::nullopt;
    if (auto lost = KeepPending(ProgramFile(programDir_, kPendingFile), result)) {
        return RecordFailure{
            *failure + "; it could not be kept in " + kPendingFile + " either: " + *lost, false};
    }
    return RecordFailure{*failure, true};
}

}  // namespace ardentix::store
