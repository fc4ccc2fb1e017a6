#pragma once
#include <string>

#include "core/engine.h"

namespace ardentix {

// The engine built from its parts: the ground's context with the handlers of every timer and of
// the option changes in place. The scenario layer knows every subsystem, so it joins them; both
// front ends, the tests and the benchmarks make their engine here.
class WiredEngine final : public Engine {
  public:
    WiredEngine(Ports ports, std::string programDir);
};

// The handlers of every timer and of the option changes that the engine itself follows.
void RegisterHandlers(Engine& e);

}  // namespace ardentix
