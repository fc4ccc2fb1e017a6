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
    for (const ElementSpec& spec : ElementTable())
        elements_.emplace(spec.name, spec.initial);
}

bool Screen::Has(std::string_view name) const {
    return elements_.find(name) != elements_.end();
}

const Element& Screen::Get(std::string_view name) const {
    auto it = elements_.find(name);
    if (it == elements_.end()) throw std::logic_error("no screen element " + std::string(name));
    return it->second;
}

Element& Screen::Edit(std::string_view name) {
    auto it = elements_.find(name);
    if (it == elements_.end()) throw std::logic_error("no screen element " + std::string(name));
    changed_.insert(it->first);
    return it->second;
}

std::set<std::string> Screen::TakeChanges() {
    return std::exchange(changed_, {});
}

void Screen::SetFocus(std::string_view name) {
    Get(name);  // must exist
    focus_ = std::string(name);
    changed_.insert("focus");
}

std::vector<std::string> Screen::Names() const {
    std::vector<std::string> names;
    names.reserve(elements_.size());
    for (const auto& [name, element] : elements_)
        names.push_back(name);
    return names;
}

}  // namespace ardentix
