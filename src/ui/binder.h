#pragma once
#include <QObject>
#include <QPointer>
#include <map>
#include <set>
#include <string>

namespace ardentix {
class Screen;
struct Element;
}  // namespace ardentix

namespace ardentix::ui {

// Ties widgets and menu actions to the elements of the screen model they show, and brings them
// up to date with what the engine wrote.
class Binder {
  public:
    enum Apply : unsigned {
        Text = 1,
        Visible = 2,
        Enabled = 4,
        Checked = 8,
        Lines = 16,
        LeftAndWidth = 32,  // the action bar's buttons follow the engine's layout
        Font = 64,          // a text area's type face
        Busy = 128,         // a control that waits for a step: greyed, with the busy cursor
        All = Text | Visible | Enabled | Checked | Lines,
    };

    void Bind(const std::string& element, QObject* target, unsigned what = All);
    void ApplyAll(const Screen& screen);
    void ApplyChanged(const Screen& screen, const std::set<std::string>& changed);
    QObject* Target(const std::string& element) const;

  private:
    struct Binding {
        QPointer<QObject> target;
        unsigned what;
    };
    static void apply(const Element& el, QObject* target, unsigned what);
    static void applyBusy(bool busy, QWidget* widget);

    std::multimap<std::string, Binding> bindings_;
};

}  // namespace ardentix::ui
