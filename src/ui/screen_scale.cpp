#include "ui/screen_scale.h"

#include <QLayout>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <vector>

namespace ardentix::ui {

namespace {

// What a widget on the stage remembers: its geometry and font size in logical units, and the
// geometry and size the last layout gave it, so that a change code made since (in logical units,
// as all code on the stage speaks) is taken as the new logical value.
const char* const kLogical = "ardentixLogicalGeometry";
const char* const kGiven = "ardentixGivenGeometry";
const char* const kLogicalFont = "ardentixLogicalFontSize";
const char* const kGivenFont = "ardentixGivenFontSize";

// Edges are scaled, not sizes, so that widgets that meet in logical units meet on the screen.
QRect scaled(const QRect& r, qreal factor) {
    const QPoint topLeft(qRound(r.left() * factor), qRound(r.top() * factor));
    const QPoint end(qRound((r.left() + r.width()) * factor),
                     qRound((r.top() + r.height()) * factor));
    return QRect(topLeft, end - QPoint(1, 1));
}

qreal fontSize(const QFont& font) {
    return font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
}

void setFontSize(QFont& font, qreal size) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, qRound(size)));
    } else {
        font.setPointSizeF(size);
    }
}

// A widget a layout of its parent places: only its font is scaled, the layout follows.
bool placedByLayout(const QWidget* widget) {
    const QLayout* layout = widget->parentWidget()->layout();
    return layout && layout->indexOf(const_cast<QWidget*>(widget)) >= 0;
}

// The widgets on the stage, parents before their children; not windows (menus, tooltips), nor
// the parts of Qt's compound widgets, which place their own.
void collect(QWidget* parent, std::vector<QWidget*>& out) {
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow()) continue;
        out.push_back(w);
        if (!w->inherits("QAbstractScrollArea") && !w->inherits("QAbstractSpinBox") &&
            !w->inherits("QComboBox"))
            collect(w, out);
    }
}

}  // namespace

ScaledStage::ScaledStage(QSize logicalSize, QWidget* parent)
    : QWidget(parent), logicalSize_(logicalSize) {
    setObjectName(QStringLiteral("ScaledStage"));
}

void ScaledStage::resizeEvent(QResizeEvent*) {
    Relayout();
}

void ScaledStage::Relayout() {
    factor_ = std::max(1.0, std::min(width() / qreal(logicalSize_.width()),
                                     height() / qreal(logicalSize_.height())));
    const QRect picture = scaled(QRect(QPoint(), logicalSize_), factor_);
    const QPoint offset(std::max(0, (width() - picture.width()) / 2),
                        std::max(0, (height() - picture.height()) / 2));
    std::vector<QWidget*> widgets;
    collect(this, widgets);
    // First what each one holds in logical units, then the new geometry and fonts: a font given
    // to a parent would change the one its children inherit before they were read.
    for (QWidget* w : widgets) {
        if (w->parentWidget() == this) {
            w->setProperty(kLogical, QRect(QPoint(), logicalSize_));
        } else if (!placedByLayout(w) && (!w->property(kLogical).isValid() ||
                                          w->geometry() != w->property(kGiven).toRect())) {
            w->setProperty(kLogical, w->geometry());
        }
        const QVariant given = w->property(kGivenFont);
        if (!given.isValid() || !qFuzzyCompare(given.toReal(), fontSize(w->font())))
            w->setProperty(kLogicalFont, fontSize(w->font()));
    }
    for (QWidget* w : widgets) {
        if (w->parentWidget() == this) {
            w->setGeometry(picture.translated(offset));
        } else if (!placedByLayout(w)) {
            w->setGeometry(scaled(w->property(kLogical).toRect(), factor_));
        }
        w->setProperty(kGiven, w->geometry());
        QFont font = w->font();
        setFontSize(font, w->property(kLogicalFont).toReal() * factor_);
        w->setFont(font);
        w->setProperty(kGivenFont, fontSize(w->font()));
    }
}

qreal ScaleOf(const QWidget* widget) {
    for (const QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget()) {
        if (auto* stage = dynamic_cast<const ScaledStage*>(w->parentWidget()))
            return stage->Factor();
    }
    return 1;
}

void PlaceLogical(QWidget* widget, const QRect& logical) {
    widget->setProperty(kLogical, logical);
    widget->setGeometry(scaled(logical, ScaleOf(widget)));
    widget->setProperty(kGiven, widget->geometry());
}

QRect LogicalGeometry(const QWidget* widget) {
    const QVariant logical = widget->property(kLogical);
    if (logical.isValid() && widget->geometry() == widget->property(kGiven).toRect())
        return logical.toRect();
    // Placed by code since the last layout, in logical units.
    return widget->geometry();
}

QRect LogicalRect(const QWidget* widget) {
    return QRect(QPoint(), LogicalGeometry(widget).size());
}

QPoint ToLogical(const QWidget* widget, const QPointF& pos) {
    const QPointF logical = pos / ScaleOf(widget);
    return QPoint(qFloor(logical.x()), qFloor(logical.y()));
}

QRect LogicalPainting(QPainter& painter, const QWidget* widget) {
    const qreal factor = ScaleOf(widget);
    if (factor != 1) painter.scale(factor, factor);
    return LogicalRect(widget);
}

}  // namespace ardentix::ui
