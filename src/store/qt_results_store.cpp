#include "store/qt_results_store.h"

#include <QSysInfo>
#include <QUuid>

#include "core/files.h"
#include "store/attempt_write.h"
#include "store/database.h"
#include "store/pending_file.h"

namespace ardentix::store {

QtResultsStore::QtResultsStore(std::string programDir) : programDir_(std::move(programDir)) {}

QtResultsStore::~QtResultsStore() = default;

ResultsDb& QtResultsStore::db() {
    const QString path = QString::fromStdString(ProgramFile(programDir_, kDatabaseFile));
    if (!db_ || db_->Path() != path || (db_->IsOpen() && !db_->SameFile())) {
        db_.reset();  // one connection at a time
        db_ = std::make_unique<ResultsDb>(path);
    }
    return *db_;
}

std::optional<std::string> QtResultsStore::write(const ScenarioResult& result) {
    ResultsDb& results = db();
    if (auto failure = results.Open()) return failure->toStdString();
    const QStringList targets = targets_ ? targets_() : QStringList();
    if (auto failure = WriteAttempt(results.Db(), result, targets)) return failure->toStdString();
    return std::nullopt;
}

std::optional<std::string> QtResultsStore::WritePending() {
    return store::WritePending(ProgramFile(programDir_, kPendingFile),
                               [this](const ScenarioResult& result) { return write(result); });
}

std::optional<RecordFailure> QtResultsStore::Record(const ScenarioResult& given) {
    ScenarioResult result = given;
    result.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
    result.station = QSysInfo::machineHostName().toStdString();
    result.recordedAt = NowText().toStdString();
    // What waited goes first, so the database keeps the order in which results came; when it
    // cannot go, this result is still tried (the pending file may be what failed).
    WritePending();
    const std::optional<std::string> failure = write(result);
    if (!failure) return std::nullopt;
    if (auto lost = KeepPending(ProgramFile(programDir_, kPendingFile), result)) {
        return RecordFailure{
            *failure + "; it could not be kept in " + kPendingFile + " either: " + *lost, false};
    }
    return RecordFailure{*failure, true};
}

}  // namespace ardentix::store
