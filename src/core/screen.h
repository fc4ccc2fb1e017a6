#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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

// The view-model of every named element of every window. Elements of windows other than the
// main window are named "Window.Element" (TUserNAMEFORM.OKBtn). The set of names is fixed when
// the screen is built, so a misspelt name is caught at once instead of creating a new element.
class Screen {
  public:
    Screen();

    bool Has(std::string_view name) const;
    const Element& Get(std::string_view name) const;
    // Access for writing: the element is noted as changed for the front ends.
    Element& Edit(std::string_view name);

    // The names of the elements written since the last call, and forgets them.
    std::set<std::string> TakeChanges();
    std::vector<std::string> Names() const;

    // The element that gets the keyboard focus; front ends move it there when it changes.
    void SetFocus(std::string_view name);
    const std::string& Focus() const { return focus_; }

  private:
    std::map<std::string, Element, std::less<>> elements_;
    std::set<std::string> changed_;
    std::string focus_;
};

}  // namespace ardentix
