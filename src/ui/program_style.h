#pragma once
#include <QProxyStyle>
#include <QRectF>

class QPainter;

namespace ardentix::ui {

// A clear ring around a control with the keyboard focus: a light line over a dark one, seen on
// the black scenario screen, the yellow device and the grey dialogs alike. Widgets that draw
// themselves draw it inside their box.
void DrawFocusRing(QPainter& p, const QRectF& box, qreal radius);

// The desktop's own style, with the menu bar's overflow arrow drawn by the program, and the
// focus drawn as the clear ring above wherever a control has the keyboard focus (the desktop's
// style draws a faint one, and only once the focus has moved by a key). The style
// would read that arrow from a picture file, and reading it first loads every image plugin Qt
// has (the SVG one with Qt SVG behind it), all before the main menu could appear; the menu bar
// of this fixed-size window never overflows anyway.
class ProgramStyle : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace ardentix::ui
