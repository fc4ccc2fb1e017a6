#pragma once
#include <memory>
#include <ostream>
#include <string>

#include "script/parser.h"

namespace ardentix::script {

struct RunResult {
    int passed = 0;
    int failed = 0;
    // 0 when every expectation held and every box was answered as queued; 1 otherwise;
    // 2 for a malformed script.
    int status = 0;
};

// Runs one scenario script against a fresh program whose program directory is programDir; the
// files it includes are read by read, their paths relative to scriptName's folder.
RunResult RunScript(const std::string& text, const std::string& scriptName,
                    const std::string& programDir, std::ostream& out,
                    const FileReader& read = ReadScriptFile);

}  // namespace ardentix::script
