#pragma once
#include <QWidget>

namespace ardentix {
class Engine;
}

namespace ardentix::ui {

class Actions;
class Binder;
class QtPictures;

// The patient picture composed from the engine's draw list; it takes the pads dropped on the
// chest, and misplaced pads can be picked up from it again.
class PatientArea : public QWidget {
    Q_OBJECT
  public:
    PatientArea(Engine& engine, Actions& actions, const QtPictures& pictures, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // While a pad is carried over the patient: where it would land, if it can land there.
    void follow(const QPoint& pos, bool carried);

    Engine& engine_;
    Actions& actions_;
    const QtPictures& pictures_;
    bool carried_ = false;
    QPoint pointer_;
};

// The tray with the two electrode pads.
class PadTray : public QWidget {
    Q_OBJECT
  public:
    PadTray(Engine& engine, Actions& actions, Binder& binder, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// Runs a whole pad drag: its start, the drop the targets report, and its end.
void DragPad(Engine& engine, Actions& actions, bool white, bool fromMisplaced, QWidget* source);

// The picture of a pad, for the tray, the drag and a pad lying loose, 52 x 66 drawn for a screen
// of this device pixel ratio.
QPixmap PadPicture(bool white, qreal devicePixelRatio = 1);

}  // namespace ardentix::ui
