#pragma once
#include <QProxyStyle>

namespace ardentix::ui {

// The desktop's own style, with the menu bar's overflow arrow drawn by the program. The style
// would read that arrow from a picture file, and reading it first loads every image plugin Qt
// has (the SVG one with Qt SVG behind it), all before the main menu could appear; the menu bar
// of this fixed-size window never overflows anyway.
class ProgramStyle : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace ardentix::ui
