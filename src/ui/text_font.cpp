#include "ui/text_font.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace ardentix::ui {

QFont TextFont(const Font& font) {
    const int size = font.pointSize > 0 ? font.pointSize : 10;
    QFont f(QString::fromStdString(font.family));
    f.setPointSize(size);
    if (font.family == "Arial" || QFontInfo(f).exactMatch()) return f;
    // The report's columns need a fixed pitch: where the named face is missing, the system's
    // fixed-pitch face stands in for it.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(size);
    return fixed;
}

}  // namespace ardentix::ui
