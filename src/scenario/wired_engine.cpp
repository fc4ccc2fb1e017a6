#include "scenario/wired_engine.h"

#include <utility>

namespace ardentix {

WiredEngine::WiredEngine(Ports ports_, std::string programDir_)
    : Engine(ports_, std::move(programDir_)) {
    RegisterHandlers(*this);
}

}  // namespace ardentix
