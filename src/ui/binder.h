#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "core/element_names.h"

namespace ardentix {
class Screen;
struct ScreenChanges;
struct Element;
}  // namespace ardentix

namespace ardentix::ui {

// The Qt object name of the widget that shows an element: the element's name.
QString ObjectName(El element);

// Tells a screen reader that what a control shows is now text (a value-change event).
void AnnounceValue(QObject* target, const QString& text);
// Hears every announcement as well: for tests, since the offscreen platform has no accessibility
// of its own and drops the events. Nothing to unset.
void SetAnnounceListener(std::function<void(QObject*, const QString&)> listener);

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
        Color = 256,        // a label's text in the element's colour
        Mnemonic = 512,     // the caption underlines the control's key letter (ui/keys.h)
        // A screen reader is told of a new text while the widget shows (a value-change event):
        // the AED's display lines, the messages, the score, the advice, the caption.
        Announce = 1024,
        All = Text | Visible | Enabled | Checked | Lines,
    };

    void Bind(El element, QObject* target, unsigned what = All);
    void ApplyAll(const Screen& screen);
    void ApplyChanged(const Screen& screen, const ScreenChanges& changed);
    QObject* Target(El element) const;

  private:
    struct Binding {
        QPointer<QObject> target;
        unsigned what;
    };
    static void apply(El element, const Element& el, QObject* target, unsigned what);
    static void applyBusy(bool busy, QWidget* widget);
    static void announce(El element, const QString& text, QObject* target);

    std::multimap<El, Binding> bindings_;
};

}  // namespace ardentix::ui
