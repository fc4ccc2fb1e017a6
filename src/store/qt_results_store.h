#pragma once
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "core/ports.h"

namespace ardentix::store {

class ResultsDb;

inline constexpr const char* kDatabaseFile = "ARDENTIX.DB";

// The engine's results store on ARDENTIX.DB in the program directory. The database is opened at
// the first write (never at start, so the program comes up as fast as without it) and stays open;
// a file removed or replaced since is opened afresh at the next write. A result that cannot be
// written is kept in ARDENTIX.PND, and what waits there is written first at every later write.
class QtResultsStore : public ResultsStore {
  public:
    explicit QtResultsStore(std::string programDir);
    ~QtResultsStore() override;

    // The targets an attempt is queued for in the outbox when it is written (`centre`, `lrs`),
    // asked at each write; none unless given.
    void SetTargets(std::function<QStringList()> targets) { targets_ = std::move(targets); }

    // Gives the result its uuid, station and time of recording and writes it.
    std::optional<RecordFailure> Record(const ScenarioResult& result) override;

    // Writes what waits in the pending file; nothing when nothing is left waiting there, else
    // the reason.
    std::optional<std::string> WritePending();

  private:
    std::optional<std::string> write(const ScenarioResult& result);
    // The database of the program directory as the file is now.
    ResultsDb& db();

    std::string programDir_;
    std::function<QStringList()> targets_;
    std::unique_ptr<ResultsDb> db_;
};

}  // namespace ardentix::store
