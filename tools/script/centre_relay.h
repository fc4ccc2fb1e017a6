#pragma once
#include <optional>
#include <string>

#include "centre/centre_run.h"
#include "core/ports.h"

namespace ardentix::store {
class QtResultsStore;
}

namespace ardentix::script {

// The script's `centre URI`: every result the program writes is queued for that server and
// sent at once, in the script's own thread (a script has no window to keep alive); the names
// centre.waiting, centre.sent and centre.status tell how it went.
class CentreRelay : public ResultsStore {
  public:
    CentreRelay(store::QtResultsStore& results, const std::string& programDir);

    // False, with the reason, for an address the stations would refuse.
    bool Use(const std::string& uri, std::string& error);
    std::optional<RecordFailure> Record(const ScenarioResult& result) override;
    // centre.waiting, centre.sent, centre.status; nothing for another name.
    std::optional<std::string> Value(const std::string& name) const;

  private:
    store::QtResultsStore& results_;
    QString databasePath_;
    std::optional<CentreAddress> address_;
    centre::CentreStatus last_;
    int sent_ = 0;
};

}  // namespace ardentix::script
