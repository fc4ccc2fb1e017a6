#pragma once
#include <string>

namespace ardentix {

class Engine;

// Closes a scenario: the clocks stop, the result goes to the summary and a test series counts it.
void FinishScenario(Engine& e);

// "mm:ss" of a number of seconds (minutes grow past two digits after 99).
std::string ElapsedText(int seconds);

}  // namespace ardentix
