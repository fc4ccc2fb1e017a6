// The inputs by the names scenario scripts and tests use for the elements.
#include "scenario/input.h"

namespace ardentix {

InputResult Click(Engine& e, std::string_view name) {
    const std::optional<El> el = ElementNamed(name);
    return el ? Click(e, *el) : InputResult::Unknown;
}

InputResult ChooseMenu(Engine& e, std::string_view name) {
    const std::optional<El> el = ElementNamed(name);
    return el ? ChooseMenu(e, *el) : InputResult::Unknown;
}

InputResult TypeText(Engine& e, std::string_view name, const std::string& text) {
    const std::optional<El> el = ElementNamed(name);
    return el ? TypeText(e, *el, text) : InputResult::Unknown;
}

InputResult TypeLines(Engine& e, std::string_view name, const std::vector<std::string>& lines) {
    const std::optional<El> el = ElementNamed(name);
    return el ? TypeLines(e, *el, lines) : InputResult::Unknown;
}

InputResult Spin(Engine& e, std::string_view name, bool up) {
    const std::optional<El> el = ElementNamed(name);
    return el ? Spin(e, *el, up) : InputResult::Unknown;
}

InputResult DragPad(Engine& e, std::string_view name, std::string_view target, int left, int top) {
    const std::optional<El> el = ElementNamed(name);
    const std::optional<El> drop = ElementNamed(target);
    if (!el || (!drop && target != "nowhere")) return InputResult::Unknown;
    return DragPad(e, *el, drop, left, top);
}

bool CanUse(const Engine& e, std::string_view name) {
    const std::optional<El> el = ElementNamed(name);
    return el && CanUse(e, *el);
}

}  // namespace ardentix
