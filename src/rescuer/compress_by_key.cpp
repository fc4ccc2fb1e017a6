// Compressions by key: under the current guidelines, with "Compress by key" chosen, the trainee
// gives each compression of CPR with a press of the Space bar (or a click on the chest) instead
// of the CPR timer, and sees the rate kept.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/compression_rate.h"
#include "core/course.h"
#include "core/engine.h"
#include "core/screen.h"
#include "monitor/monitor.h"
#include "rescuer/phase.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

// The rate at the newest compression; the first of a series leaves the last rate shown.
void showRate(Engine& e) {
    const std::vector<std::vector<int32_t>>& series = e.log.CompressionSeries();
    if (series.empty()) return;
    const std::optional<int> rate = CompressionRateAt(series.back(), series.back().size() - 1);
    if (!rate) return;
    Element& shown = e.screen.Edit(El::CPRRate);
    shown.text = "Rate " + std::to_string(*rate) + "/min";
    shown.color = RateInTarget(*rate) ? Color::Green : Color::Red;
}

}  // namespace

void PressCompressionKey(Engine& e) {
    if (!CompressingByKey(e) || !CPRIsRunning(e) || BreathUnderWay(e)) return;
    // The count starts afresh with CPR and after each breath series: a new series.
    e.log.NoteCompression(e.timers.Now(), e.state.CompressionCount == 0);
    NoteCompressionGiven(e);
    Compress(e);
    // The series' last press brings the breaths: the pause for them is part of CPR.
    if (BreathUnderWay(e)) e.log.NoteBreathsOfCPR(e.timers.Now());
    showRate(e);
}

void FollowCompressionRate(Engine& e) {
    const bool shown = CompressingByKey(e) && CPRIsRunning(e);
    if (e.screen.Get(El::CPRRate).visible == shown) return;
    Element& rate = e.screen.Edit(El::CPRRate);
    rate.visible = shown;
    rate.text.clear();
}

}  // namespace ardentix
