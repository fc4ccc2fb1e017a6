#pragma once
#include <QString>

namespace ardentix::ui {

// Finds an entry point of one of the program's modules ("ardentix_sound", ...), loading the
// module at its first use: beside the program, else in the folder it was built in. Null when the
// module cannot be loaded; then error says why. A module is looked for once: a missing one is
// said once on the program's log, and every later ask gets the same answer at once.
void* ModuleEntry(const char* module, const char* entry, QString* error);

// The entry point as the function it is (its type as the module's header declares it).
template <typename Function>
Function ModuleFunction(const char* module, const char* entry, QString* error) {
    return reinterpret_cast<Function>(ModuleEntry(module, entry, error));
}

}  // namespace ardentix::ui
