// The engine's handlers, subsystem by subsystem: the timers of the outer loop, the device and the
// rescuer, and the option changes the engine follows at once.
#include "aed/aed.h"
#include "core/captions.h"
#include "core/engine.h"
#include "core/scenario.h"
#include "monitor/monitor.h"
#include "options/options.h"
#include "rescuer/rescuer.h"
#include "scenario/busy.h"
#include "scenario/flow.h"
#include "scenario/wired_engine.h"

namespace ardentix {

void RegisterHandlers(Engine& e) {
    RegisterFlowTimers(e);
    RegisterCaptionTimer(e);
    RegisterAedTimers(e);
    RegisterRescuerTimers(e);
    RegisterMonitorTimers(e);
    e.afterEvent = MarkBusyControls;
    // The option pages show every setting as it is, however it changed.
    e.settings.SetObserver([&e](Opt opt) {
        ShowOption(e, opt);
        if (opt == Opt::OPTSCREENSIZE) FollowBorderOption(e);
    });
    for (int i = 0; i < kControlCount; ++i)
        ShowOption(e, static_cast<Opt>(i));
}

}  // namespace ardentix
