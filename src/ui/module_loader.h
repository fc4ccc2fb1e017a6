#pragma once
#include <QString>

namespace ardentix::ui {

// Finds an entry point of one of the program's modules ("ardentix_sound", ...), loading the
// module at its first use: beside the program, else in the folder it was built in. Null when the
// module cannot be loaded; then error says why.
void* ModuleEntry(const char* module, const char* entry, QString* error);

}  // namespace ardentix::ui
