#pragma once
#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_names.h"

namespace ardentix {

enum class Color { White, Black, Green, Yellow, Red, Gray, Blue, Silver };

std::string_view ColorName(Color c);
std::optional<Color> ColorByName(std::string_view name);

// What a front end needs to draw one named element of a window.
struct Element {
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool bold = false;
    // The control would ignore a click now (a step under way): drawn busy, yet a click on it
    // still goes to its handler, which ignores it.
    bool busy = false;
    Color color = Color::White;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int maxLength = 0;    // edit fields: characters accepted, 0 for no limit
    bool masked = false;  // edit fields: each character shown as "*"
    std::string font;     // a text area's type face, empty for the window's own
    int fontSize = 0;     // in points
    std::vector<std::string> lines;
};

// What the engine wrote since a front end last looked: the elements, and whether the focus moved.
struct ScreenChanges {
    std::set<El> elements;
    bool focus = false;
    bool Has(El el) const { return elements.count(el) > 0; }
};

// The view-model of every element of every window, addressed by its handle.
class Screen {
  public:
    Screen();

    const Element& Get(El el) const { return elements_[static_cast<size_t>(el)]; }
    // Access for writing: the element is noted as changed for the front ends.
    Element& Edit(El el);

    // What was written since the last call, and forgets it.
    ScreenChanges TakeChanges();

    // The element that gets the keyboard focus; front ends move it there when it changes.
    void SetFocus(El el);
    std::optional<El> Focus() const { return focus_; }

  private:
    std::array<Element, kElementCount> elements_;
    std::array<bool, kElementCount> changed_{};
    bool focusChanged_ = false;
    std::optional<El> focus_;
};

}  // namespace ardentix
