#pragma once
#include <QRect>
#include <QWidget>

class QPainter;

namespace ardentix::ui {

// The main menu and the scenario screen are laid out in the units of the classic 640 x 480
// window, the units the engine's screen model and its rules use, and shown as one picture at one
// factor: as large as the window allows with the shape kept, in the middle, black around it, and
// never smaller than the classic size. Every widget on the stage keeps its place in those units
// (its logical geometry) and is given the geometry and font of the factor, so that text is set
// at the size it shows and pictures are drawn for it; what paints itself paints in logical units
// (LogicalPainting), and a position of the mouse goes back to them (ToLogical) before it reaches
// the engine.
class ScaledStage : public QWidget {
  public:
    ScaledStage(QSize logicalSize, QWidget* parent);
    qreal Factor() const { return factor_; }
    QSize LogicalSize() const { return logicalSize_; }
    // Lays every widget on the stage out again at the factor of the stage's size; called when
    // widgets are added to it.
    void Relayout();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QSize logicalSize_;
    qreal factor_ = 1;
};

// The factor of the stage a widget lies on; 1 for a widget on no stage.
qreal ScaleOf(const QWidget* widget);

// Places a widget at a rectangle of logical units in its parent: code that moves a widget on the
// stage after it is built goes through this (elsewhere it is setGeometry).
void PlaceLogical(QWidget* widget, const QRect& logical);

// The widget's geometry in logical units, and its own rectangle in them (at 0, 0).
QRect LogicalGeometry(const QWidget* widget);
QRect LogicalRect(const QWidget* widget);

// The logical pixel that holds a point of the widget's own pixels: at 2.5 the screen's pixels 0 to
// 2 lie on logical pixel 0, 3 and 4 on pixel 1.
QPoint ToLogical(const QWidget* widget, const QPointF& pos);

// Sets the painter of a widget to draw in logical units; gives the widget's own rectangle in them.
// Text is drawn in a font of logical size: the widget's own font is already scaled.
QRect LogicalPainting(QPainter& painter, const QWidget* widget);

}  // namespace ardentix::ui
