#include "ui/pads_view.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <algorithm>

#include "aed/aed.h"
#include "core/elements.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "rescuer/rescuer.h"
#include "scenario/input.h"
#include "ui/actions.h"
#include "ui/binder.h"
#include "ui/keys.h"
#include "ui/program_style.h"
#include "ui/qt_ports.h"
#include "ui/screen_scale.h"

namespace ardentix::ui {

namespace {

const QString kPadMime = QStringLiteral("application/x-ardentix-pad");

QRect rectOf(const Element& el) {
    return QRect(el.left, el.top, el.width, el.height);
}

// A pad that cannot be taken: grey and faded.
QPixmap greyed(const QPixmap& pixmap) {
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 60 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    return QPixmap::fromImage(image);
}

// A pad of the tray: pressing it starts its drag; with the focus, Enter picks it up by key.
class TrayPad : public QWidget {
  public:
    TrayPad(Engine& engine, Actions& actions, bool white, std::function<void(bool)> carry,
            QWidget* parent)
        : QWidget(parent),
          engine_(engine),
          actions_(actions),
          white_(white),
          carry_(std::move(carry)) {
        const El name = white ? El::PADWHITE : El::PADRED;
        setObjectName(ObjectName(name));
        resize(kPadWidth, kPadHeight);
        setCursor(Qt::OpenHandCursor);
        setFocusPolicy(Qt::TabFocus);
        SetHint(this, WithKey(name, QStringLiteral("Click and drag to place on patient")), 180);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = LogicalPainting(p, this);
        const QPixmap pad = PadPicture(white_, devicePixelRatioF() * ScaleOf(this));
        p.drawPixmap(area, isEnabled() ? pad : greyed(pad));
        if (hasFocus()) DrawFocusRing(p, QRectF(area), 10);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            carry_(white_);
        } else {
            QWidget::keyPressEvent(event);
        }
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::EnabledChange)
            setCursor(isEnabled() ? Qt::OpenHandCursor : Qt::ArrowCursor);
        QWidget::changeEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        // A pad that cannot be taken now (during a pause) does not start a drag.
        if (event->button() == Qt::LeftButton && isEnabled())
            DragPad(engine_, actions_, white_, false, this);
    }

  private:
    Engine& engine_;
    Actions& actions_;
    bool white_;
    std::function<void(bool)> carry_;
};

struct Taken {
    bool taken = false;    // the press took the pad
    bool started = false;  // and it is carried (a pad refused for a small child is not)
};

// The pad taken up as a press on it takes it, asked at the time of the press, once the timers due
// by then have fired.
Taken takePad(Engine& engine, Actions& actions, bool white, bool fromMisplaced) {
    const Pad pad = white ? Pad::White : Pad::Red;
    const El name = fromMisplaced ? (white ? El::PADWHITEzoneTorso : El::PADREDzoneTorso)
                                  : (white ? El::PADWHITE : El::PADRED);
    Taken result;
    actions.Dispatch([&] {
        result.taken = PadCanBeTaken(engine, name);
        if (!result.taken) return;
        if (fromMisplaced) PressMisplacedPad(engine, pad);
        result.started =
            fromMisplaced ? StartMisplacedPadDrag(engine, pad) : StartPadDrag(engine, pad);
    });
    return result;
}

}  // namespace

QPixmap PadPicture(bool white, qreal devicePixelRatio) {
    // Drawn for the screen's pixels, so that it stays sharp on a high-density screen.
    QPixmap pixmap(QSize(52, 66) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(white ? QColor(245, 245, 245) : QColor(220, 40, 40));
    p.drawRoundedRect(QRectF(3, 3, 46, 60), 10, 10);
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(12, 14, 28, 38), 6, 6);  // the gel
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.drawLine(QPointF(26, 3), QPointF(26, 0));  // the lead
    return pixmap;
}

void DragPad(Engine& engine, Actions& actions, bool white, bool fromMisplaced, QWidget* source) {
    const Pad pad = white ? Pad::White : Pad::Red;
    const auto [taken, started] = takePad(engine, actions, white, fromMisplaced);
    if (!taken) return;
    auto* drag = new QDrag(source);
    auto* data = new QMimeData;
    data->setData(kPadMime, white ? "white" : "red");
    drag->setMimeData(data);
    if (started) {
        // The pad itself is the pointer while it is carried, as large as the pads on the screen.
        const qreal scale = ScaleOf(source);
        QPixmap picture = PadPicture(white, source->devicePixelRatioF() * scale);
        picture.setDevicePixelRatio(source->devicePixelRatioF());
        drag->setPixmap(picture);
        drag->setHotSpot((QPointF(kPadWidth / 2, kPadHeight / 2) * scale).toPoint());
    }
    drag->exec(Qt::MoveAction);
    actions.Dispatch([&] { EndPadDrag(engine, pad, fromMisplaced); });
}

PatientArea::PatientArea(Engine& engine, Actions& actions, const QtPictures& pictures,
                         QWidget* parent)
    : QWidget(parent), engine_(engine), actions_(actions), pictures_(pictures) {
    setObjectName(ObjectName(El::PATIENTGraphic));
    setGeometry(0, 0, kPatientViewSize, kPatientViewSize);
    setAcceptDrops(true);
    SetHint(this, QStringLiteral("This is the patient"), 180);
    // The place under a pad carried by keys, on a line over the top of the picture.
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("PadKeyStatus"));
    status_->setGeometry(0, 0, kPatientViewSize, 40);
    status_->setWordWrap(true);
    status_->setMargin(4);
    status_->setAutoFillBackground(true);
    QPalette pal = status_->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 0, 210));
    pal.setColor(QPalette::WindowText, QColor(255, 255, 255));
    status_->setPalette(pal);
    status_->hide();
}

QString PlaceOnChest(const Engine& engine, const QPoint& point) {
    const auto target = PadTargetAt(engine, point.x(), point.y());
    if (target == PadTarget::WhiteZone)
        return QStringLiteral("Upper right chest, below the collarbone");
    if (target == PadTarget::RedZone)
        return QStringLiteral("Left side of the chest, below the armpit");
    if (target != PadTarget::Torso) return QStringLiteral("Off the chest");
    // The chest in thirds; the patient lies face up, head at the top: the patient's right is on
    // the viewer's left.
    const Element& torso = engine.screen.Get(El::PATIENTTorsoZONE);
    const int row = std::clamp((point.y() - torso.top) * 3 / std::max(torso.height, 1), 0, 2);
    const int column = std::clamp((point.x() - torso.left) * 3 / std::max(torso.width, 1), 0, 2);
    static const char* const rows[] = {"upper", "middle", "lower"};
    static const char* const columns[] = {" right", "", " left"};
    return QStringLiteral("Chest, %1%2")
        .arg(QLatin1String(rows[row]), QLatin1String(columns[column]));
}

void PatientArea::CarryPad(bool white) {
    if (keyPad_ || !isEnabled()) return;
    const El lying = white ? El::PADWHITEzoneTorso : El::PADREDzoneTorso;
    const bool fromMisplaced = !engine_.screen.Get(white ? El::PADWHITE : El::PADRED).visible &&
                               engine_.screen.Get(lying).visible;
    const Element start = engine_.screen.Get(lying);
    const auto [taken, started] = takePad(engine_, actions_, white, fromMisplaced);
    if (!taken) return;
    const Pad pad = white ? Pad::White : Pad::Red;
    if (!started) {
        // Refused at once, as a drag of it can land nowhere.
        actions_.Dispatch([&] { EndPadDrag(engine_, pad, fromMisplaced); });
        return;
    }
    keyPad_ = white ? 1 : 2;
    keyPadWasMisplaced_ = fromMisplaced;
    restingName_ = accessibleName();
    // Over the middle of the chest's top edge, off both pad places; a misplaced pad where it lay.
    const Element& torso = engine_.screen.Get(El::PATIENTTorsoZONE);
    const QPoint at = fromMisplaced ? QPoint(start.left + 26, start.top + 33)
                                    : QPoint(torso.left + torso.width / 2, torso.top + kStep / 2);
    follow(at, true);
    setFocus(Qt::OtherFocusReason);
    announcePlace();
}

void PatientArea::announcePlace() {
    const QString pad = keyPad_ == 1 ? QStringLiteral("White pad") : QStringLiteral("Red pad");
    const QString place = PlaceOnChest(engine_, pointer_);
    status_->setText(pad + QStringLiteral(" over: ") + place +
                     QStringLiteral(". Arrow keys move it, Enter lays it on, Esc puts it back."));
    status_->show();
    status_->raise();
    // The picture has the focus while the pad is carried: a screen reader speaks the change of
    // its name (Qt sends the name-change event).
    setAccessibleName(pad + QStringLiteral(" over ") + place);
}

void PatientArea::moveCarried(int dx, int dy) {
    const QPoint next = pointer_ + QPoint(dx, dy);
    // It stays over the chest.
    if (PadTargetAt(engine_, next.x(), next.y()) == std::nullopt) return;
    follow(next, true);
    announcePlace();
}

void PatientArea::layCarried() {
    const Pad pad = keyPad_ == 1 ? Pad::White : Pad::Red;
    const bool fromMisplaced = keyPadWasMisplaced_;
    const QPoint pos = pointer_;
    keyPad_ = 0;
    follow({}, false);
    status_->hide();
    setAccessibleName(restingName_);
    // The drop a mouse drop at this point gives, then the end of the drag.
    actions_.Dispatch([&] {
        const auto target = PadTargetAt(engine_, pos.x(), pos.y());
        if (target && AcceptsPad(engine_, *target))
            DropPad(engine_, *target, pos.x() - 26, pos.y() - 33);
    });
    actions_.Dispatch([&] { EndPadDrag(engine_, pad, fromMisplaced); });
}

void PatientArea::putBackCarried() {
    const Pad pad = keyPad_ == 1 ? Pad::White : Pad::Red;
    const bool fromMisplaced = keyPadWasMisplaced_;
    keyPad_ = 0;
    follow({}, false);
    status_->hide();
    setAccessibleName(restingName_);
    // As a drag let go nowhere.
    actions_.Dispatch([&] { EndPadDrag(engine_, pad, fromMisplaced); });
}

bool PatientArea::event(QEvent* event) {
    // A carried pad holds the keyboard: no shortcut goes off while it is in the hand.
    if (event->type() == QEvent::ShortcutOverride && keyPad_) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void PatientArea::keyPressEvent(QKeyEvent* event) {
    if (!keyPad_) return QWidget::keyPressEvent(event);
    switch (event->key()) {
        case Qt::Key_Left:
            return moveCarried(-kStep, 0);
        case Qt::Key_Right:
            return moveCarried(kStep, 0);
        case Qt::Key_Up:
            return moveCarried(0, -kStep);
        case Qt::Key_Down:
            return moveCarried(0, kStep);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return layCarried();
        case Qt::Key_Escape:
            return putBackCarried();
        default:
            break;  // any other key is taken and does nothing while the pad is carried
    }
}

void PatientArea::focusOutEvent(QFocusEvent* event) {
    // The keyboard went elsewhere (a click, another window): the pad goes back.
    if (keyPad_) putBackCarried();
    QWidget::focusOutEvent(event);
}

void PatientArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = LogicalPainting(p, this);
    p.fillRect(area, Qt::black);
    p.setClipRect(area);
    // On a high-density screen, or shown larger than the classic window, the pictures' larger
    // copies are drawn; a picture without one is drawn larger, smoothed rather than blocky.
    // Places and sizes stay those of the pictures themselves, which the engine knows.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal dpr = devicePixelRatioF() * ScaleOf(this);
    for (const DrawItem& item : PatientPicture(engine_)) {
        const QImage image = item.picture == El::PADWHITE3
                                 ? PadPicture(true, dpr).toImage()
                                 : pictures_.Picture(ObjectName(item.picture), dpr);
        if (image.isNull()) continue;
        const QSize size = image.deviceIndependentSize().toSize();
        const QRect place(item.left, item.top, size.width() + item.growWidth,
                          size.height() + item.growHeight);
        p.drawImage(place, image);
    }
    if (!carried_) return;
    // A pad carried over the chest: the two places a pad belongs are outlined, and the one under
    // the pointer lights up when the pad may be laid there.
    p.setRenderHint(QPainter::Antialiasing);
    const auto target = PadTargetAt(engine_, pointer_.x(), pointer_.y());
    const bool accepted = target && AcceptsPad(engine_, *target);
    for (const auto& [zone, kind] : {std::pair{El::PADWhiteZone, PadTarget::WhiteZone},
                                     std::pair{El::PADRedZONE, PadTarget::RedZone}}) {
        const QRectF box = QRectF(rectOf(engine_.screen.Get(zone))).adjusted(1, 1, -1, -1);
        const bool lit = accepted && target == kind;
        p.setPen(QPen(lit ? QColor(120, 230, 120) : QColor(255, 255, 255, 150), 2, Qt::DashLine));
        p.setBrush(lit ? QColor(120, 230, 120, 60) : Qt::transparent);
        p.drawRoundedRect(box, 8, 8);
    }
    // A pad carried by keys is drawn where it would be laid.
    if (keyPad_) p.drawPixmap(pointer_ - QPoint(26, 33), PadPicture(keyPad_ == 1, dpr));
}

void PatientArea::follow(const QPoint& pos, bool carried) {
    carried_ = carried;
    pointer_ = pos;
    update();
}

void PatientArea::dragLeaveEvent(QDragLeaveEvent*) {
    follow({}, false);
}

void PatientArea::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasFormat(kPadMime)) return;
    event->acceptProposedAction();
    follow(ToLogical(this, event->position()), true);
}

void PatientArea::dragMoveEvent(QDragMoveEvent* event) {
    const QPoint pos = ToLogical(this, event->position());
    follow(pos, true);
    const auto target = PadTargetAt(engine_, pos.x(), pos.y());
    if (target && AcceptsPad(engine_, *target)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void PatientArea::dropEvent(QDropEvent* event) {
    follow({}, false);
    const QPoint pos = ToLogical(this, event->position());
    const auto target = PadTargetAt(engine_, pos.x(), pos.y());
    if (!target || !AcceptsPad(engine_, *target)) return event->ignore();
    event->acceptProposedAction();
    // A pad that misses the zones lies where it was let go.
    actions_.Dispatch([&] { DropPad(engine_, *target, pos.x() - 26, pos.y() - 33); });
}

void PatientArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled() || keyPad_) return;
    const QPoint pos = ToLogical(this, event->position());
    for (const auto& [name, white] :
         {std::pair{El::PADWHITEzoneTorso, true}, {El::PADREDzoneTorso, false}}) {
        const Element& pad = engine_.screen.Get(name);
        if (pad.visible && rectOf(pad).contains(pos)) {
            DragPad(engine_, actions_, white, true, this);
            return;
        }
    }
    // While CPR runs with compressions by key a press on the chest is a compression.
    if (CompressionKeyActive(engine_) && CPRIsRunning(engine_) &&
        rectOf(engine_.screen.Get(El::PATIENTTorsoZONE)).contains(pos)) {
        actions_.Dispatch([this] { PressChest(engine_); });
        return;
    }
    // A press on the red pad's zone puts a loose pad back on.
    if (rectOf(engine_.screen.Get(El::PADRedZONE)).contains(pos)) {
        actions_.Click(El::PADRedZONE);
    }
}

PadTray::PadTray(Engine& engine, Actions& actions, Binder& binder, std::function<void(bool)> carry,
                 QWidget* parent)
    : QWidget(parent) {
    setObjectName(ObjectName(El::PADPanel));
    setAcceptDrops(true);
    auto* white = new TrayPad(engine, actions, true, carry, this);
    white->move(40, 3);
    binder.Bind(El::PADWHITE, white, Binder::Visible | Binder::Enabled);
    auto* red = new TrayPad(engine, actions, false, carry, this);
    red->move(116, 3);
    binder.Bind(El::PADRED, red, Binder::Visible | Binder::Enabled);
}

void PadTray::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = LogicalPainting(p, this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 100), 1));
    p.setBrush(QColor(30, 32, 40));
    p.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), 8, 8);
}

void PadTray::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kPadMime)) event->acceptProposedAction();
}

void PadTray::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
}

}  // namespace ardentix::ui
