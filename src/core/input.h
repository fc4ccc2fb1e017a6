#pragma once
#include <string>
#include <string_view>

namespace ardentix {

class Engine;

enum class InputResult {
    Done,
    Unknown,      // no such control, or it takes no such input
    Unavailable,  // the control cannot be used now (hidden, disabled, its window closed)
};

// User input on a named element, as both front ends deliver it.
InputResult Click(Engine& e, std::string_view name);
InputResult ChooseMenu(Engine& e, std::string_view name);
InputResult TypeText(Engine& e, std::string_view name, const std::string& text);

}  // namespace ardentix
