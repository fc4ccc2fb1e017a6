#pragma once
#include <functional>
#include <string>

#include "centre/centre_link.h"
#include "core/ports.h"

namespace ardentix {
class Settings;
namespace store {
class QtResultsStore;
}
}  // namespace ardentix

namespace ardentix::ui {

class OptionPages;

// The station's part in a training centre, around the program's results store: while the
// centre server is chosen every result is queued for it as it is written, and sent on at once
// on the centre link's thread; whatever happens there, the result is in ARDENTIX.DB.
class CentreStation : public ResultsStore {
  public:
    CentreStation(store::QtResultsStore& results, const std::string& programDir);

    // The engine's settings, read at every write and send (the engine is built after its ports).
    void Attach(const Settings& settings) { settings_ = &settings; }
    std::optional<RecordFailure> Record(const ScenarioResult& result) override;
    centre::CentreLink& Link() { return link_; }
    // The learning record store: whether results go to it (they are then queued for it as they
    // are written) and what sends them on after each scenario.
    void SetLrs(std::function<bool()> wanted, std::function<void()> send) {
        lrsWanted_ = std::move(wanted);
        lrsSend_ = std::move(send);
    }

  private:
    bool centreChosen() const;
    bool lrsWanted() const { return lrsWanted_ && lrsWanted_(); }

    store::QtResultsStore& results_;
    const Settings* settings_ = nullptr;
    centre::CentreLink link_;
    std::function<bool()> lrsWanted_;
    std::function<void()> lrsSend_;
};

// The Scenario tab's status line follows the link, and its button sends.
void ShowCentreLink(OptionPages& pages, centre::CentreLink& link);

}  // namespace ardentix::ui
