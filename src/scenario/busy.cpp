// The controls that wait for a timed step. Each row asks the same question the control's handler
// asks before it ignores a click, so that what is drawn busy is exactly what ignores the click.
#include "scenario/busy.h"

#include <array>

#include "core/engine.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

struct BusyRule {
    El element;
    bool (*waits)(const Engine&);
};

const std::array<BusyRule, 3> kBusyRules = {{
    // The ABCs button opens its menu only while no check or breath is under way.
    {El::ABCsButton, [](const Engine& e) { return !AbcsMenuAvailable(e); }},
    {El::PulseButton, PulseCheckWaits},
    {El::CPRBUTTON, CPRButtonWaits},
}};

}  // namespace

void MarkBusyControls(Engine& e) {
    for (const BusyRule& rule : kBusyRules) {
        const bool busy = rule.waits(e);
        // Written only on a change, so that the front ends redraw only what changed.
        if (e.screen.Get(rule.element).busy != busy) e.screen.Edit(rule.element).busy = busy;
    }
}

}  // namespace ardentix
