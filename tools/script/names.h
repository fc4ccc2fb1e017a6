#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace ardentix {
class Engine;
}

namespace ardentix::script {

class RecordingSound;
class QueuedDialogs;
class TextPrinter;

struct NameContext {
    const Engine& engine;
    const RecordingSound& sound;
    const QueuedDialogs& dialogs;
    const TextPrinter& printer;
};

// The value a script name stands for, as text: a field of the scenario state, an option control,
// a screen element or one of its properties, a timer, a file of the program directory, or one of
// the recorders. Nothing for a name that stands for nothing.
std::optional<std::string> LookUp(const NameContext& c, std::string_view name);

// Whether this program could write to a file, or create files in a directory.
bool PathWritable(const std::string& path);

}  // namespace ardentix::script
