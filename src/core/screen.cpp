#include "core/screen.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "core/elements.h"

namespace ardentix {

namespace {

constexpr std::array<std::pair<Color, std::string_view>, 8> kColorNames = {{
    {Color::White, "white"},
    {Color::Black, "black"},
    {Color::Green, "green"},
    {Color::Yellow, "yellow"},
    {Color::Red, "red"},
    {Color::Gray, "gray"},
    {Color::Blue, "blue"},
    {Color::Silver, "silver"},
}};

}  // namespace

std::string_view ColorName(Color c) {
    for (const auto& [color, name] : kColorNames) {
        if (color == c) return name;
    }
    return "?";
}

std::optional<Color> ColorByName(std::string_view name) {
    for (const auto& [color, n] : kColorNames) {
        if (n == name) return color;
    }
    return std::nullopt;
}

Screen::Screen() {
    std::array<bool, kElementCount> given{};
    for (const ElementSpec& spec : ElementTable()) {
        const auto i = static_cast<size_t>(spec.el);
        if (given[i])
            throw std::logic_error("element given twice: " + std::string(NameOf(spec.el)));
        given[i] = true;
        elements_[i] = spec.initial;
    }
    for (size_t i = 0; i < kElementCount; ++i) {
        if (!given[i])
            throw std::logic_error("element without a start: " +
                                   std::string(NameOf(static_cast<El>(i))));
    }
}

Element& Screen::Edit(El el) {
    changed_[static_cast<size_t>(el)] = true;
    return elements_[static_cast<size_t>(el)];
}

ScreenChanges Screen::TakeChanges() {
    ScreenChanges changes;
    for (size_t i = 0; i < kElementCount; ++i) {
        if (changed_[i]) changes.elements.insert(static_cast<El>(i));
    }
    changes.focus = focusChanged_;
    changed_ = {};
    focusChanged_ = false;
    return changes;
}

void Screen::SetFocus(El el) {
    focus_ = el;
    focusChanged_ = true;
}

}  // namespace ardentix
