#include "core/layout.h"

#include "core/course.h"
#include "core/elements.h"
#include "core/engine.h"

namespace ardentix {

void LayoutActionBar(Engine& e) {
    const Settings& o = e.settings;
    const struct {
        El name;
        bool shown;
    } row[] = {
        {El::CPRBUTTON, true},
        {El::PulseButton, true},
        {El::ABCsButton, true},
        {El::BPBUTTON, o.On(Opt::OPTBPCHECK)},
        {El::VOICEBUTTON, o.On(Opt::OptVoice)},
        // Today's guidelines expect the call whatever the option says.
        {El::CALLHELPButton, o.On(Opt::OPTCALL911) || CurrentGuidelines(e)},
        {El::TROUBLEShootBUTTON, o.On(Opt::OptBatteryTrouble) || o.On(Opt::OptElectrodeTrouble) ||
                                     o.On(Opt::OptMOTIONTrouble)},
        {El::CLEARBUTTON, o.On(Opt::OPTClearAnalyze) || o.On(Opt::OPTCLEARShock)},
    };
    int shown = 0;
    for (const auto& button : row)
        shown += button.shown ? 1 : 0;
    const int width = 475 / shown;
    int left = 2;
    for (const auto& button : row) {
        Element& b = e.screen.Edit(button.name);
        b.visible = button.shown;
        if (!button.shown) continue;
        b.left = left;
        b.width = width;
        left += width;
    }
    // The rounding of the button width is made up on End Scenario.
    const int correction = shown == 3 ? 2 : shown == 5 ? 0 : 1;
    Element& end = e.screen.Edit(El::ENDBUTTON);
    end.left = left;
    end.width = kClientWidth - shown * width - 4 + correction;
}

}  // namespace ardentix
