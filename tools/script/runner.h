#pragma once
#include <memory>
#include <ostream>
#include <string>

namespace ardentix::script {

struct RunResult {
    int passed = 0;
    int failed = 0;
    // 0 when every expectation held and every box was answered as queued; 1 otherwise;
    // 2 for a malformed script.
    int status = 0;
};

// Runs one scenario script against a fresh program whose program directory is programDir.
RunResult RunScript(const std::string& text, const std::string& scriptName,
                    const std::string& programDir, std::ostream& out);

}  // namespace ardentix::script
