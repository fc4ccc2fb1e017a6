#pragma once
#include <QWidget>
#include <functional>

class QLabel;

namespace ardentix {
class Engine;
}

namespace ardentix::ui {

class Actions;
class Binder;
class QtPictures;

// The patient picture composed from the engine's draw list; it takes the pads dropped on the
// chest, and misplaced pads can be picked up from it again. A pad can also be carried by keys:
// picked up, moved over the chest in steps with the place under it named, laid on with Enter
// and put back with Esc; the engine gets the same drop a mouse drop at that point gives.
class PatientArea : public QWidget {
    Q_OBJECT
  public:
    PatientArea(Engine& engine, Actions& actions, const QtPictures& pictures, QWidget* parent);

    // The pad picked up by its key: from the tray, or from where it lies misplaced on the chest.
    void CarryPad(bool white);
    bool CarryingPad() const { return keyPad_ != 0; }
    // The point of the chest under the carried pad's middle, in the engine's coordinates.
    QPoint CarriedAt() const { return pointer_; }
    // The moves of a carried pad: the distance of one arrow key.
    static constexpr int kStep = 20;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // While a pad is carried over the patient: where it would land, if it can land there.
    void follow(const QPoint& pos, bool carried);
    // The pad carried by keys: moved by a step, laid where it is, or put back.
    void moveCarried(int dx, int dy);
    void layCarried();
    void putBackCarried();
    void announcePlace();

    Engine& engine_;
    Actions& actions_;
    const QtPictures& pictures_;
    bool carried_ = false;
    QPoint pointer_;
    // The pad carried by keys: 0 for none, 1 white, 2 red; and whether it was lying misplaced.
    int keyPad_ = 0;
    bool keyPadWasMisplaced_ = false;
    // The accessible name of the picture while no pad is carried; carried, it names the place.
    QString restingName_;
    QLabel* status_ = nullptr;
};

// Where a point of the patient view lies, as the keyboard's carried pad announces it: the two
// places a pad belongs ("Upper right chest, below the collarbone"), else the part of the chest.
QString PlaceOnChest(const Engine& engine, const QPoint& point);

// The tray with the two electrode pads.
class PadTray : public QWidget {
    Q_OBJECT
  public:
    // carry picks a pad up by key (the white one when true).
    PadTray(Engine& engine, Actions& actions, Binder& binder, std::function<void(bool)> carry,
            QWidget* parent);

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
