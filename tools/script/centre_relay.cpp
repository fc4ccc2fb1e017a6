#include "script/centre_relay.h"

#include <filesystem>

#include "store/qt_results_store.h"

namespace ardentix::script {

CentreRelay::CentreRelay(store::QtResultsStore& results, const std::string& programDir)
    : results_(results),
      databasePath_(QString::fromStdString(
          (std::filesystem::path(programDir) / store::kDatabaseFile).string())) {}

bool CentreRelay::Use(const std::string& uri, std::string& error) {
    const CentreUri parsed = ParseCentreUri(uri);
    if (!parsed.ok) {
        error = parsed.error;
        return false;
    }
    address_ = parsed.address;
    results_.SetTargets([] { return QStringList{QString::fromLatin1(centre::kCentreTarget)}; });
    return true;
}

std::optional<RecordFailure> CentreRelay::Record(const ScenarioResult& result) {
    std::optional<RecordFailure> failure = results_.Record(result);
    if (address_) {
        last_ = centre::RunSend(databasePath_, *address_);
        sent_ += last_.sent;
    }
    return failure;
}

std::optional<std::string> CentreRelay::Value(const std::string& name) const {
    if (name == "centre.waiting") return std::to_string(last_.waiting);
    if (name == "centre.sent") return std::to_string(sent_);
    if (name == "centre.status") return centre::StatusLine(last_).toStdString();
    return std::nullopt;
}

}  // namespace ardentix::script
