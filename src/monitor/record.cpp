#include "core/engine.h"
#include "monitor/monitor.h"
#include "monitor/own.h"

namespace ardentix {

void NoteAction(Engine& e, const std::string& action) {
    OwnMonitor(e).LastAction = action;
}

void NoteActionAtOnce(Engine& e, const std::string& action) {
    MonitorState& m = OwnMonitor(e);
    m.LastAction = action;
    m.EarlierAction = m.PreviousAction;
    m.PreviousAction = action;
}

void SetNextStep(Engine& e, int step) {
    OwnMonitor(e).NextStep = static_cast<uint8_t>(step);
}

void NoteAdviceRequest(Engine& e) {
    OwnMonitor(e).AdviceRequested = true;
}

void CountStackedShock(Engine& e) {
    ++OwnMonitor(e).ShocksInSeries;
}

void EndShockSeries(Engine& e) {
    OwnMonitor(e).ShocksInSeries = 0;
}

void HideWhiteGuide(Engine& e) {
    OwnMonitor(e).WhiteGuideShown = false;
}

void HideRedGuide(Engine& e) {
    OwnMonitor(e).RedGuideShown = false;
}

void NoteFirstShockTime(Engine& e, const std::string& text) {
    OwnMonitor(e).FirstShockTimeText = text;
}

}  // namespace ardentix
