#include "ui/pads_view.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>

#include "aed/aed.h"
#include "core/elements.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "rescuer/rescuer.h"
#include "scenario/input.h"
#include "ui/actions.h"
#include "ui/binder.h"
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

// A pad of the tray: pressing it starts its drag.
class TrayPad : public QWidget {
  public:
    TrayPad(Engine& engine, Actions& actions, bool white, QWidget* parent)
        : QWidget(parent), engine_(engine), actions_(actions), white_(white) {
        setObjectName(white ? ObjectName(El::PADWHITE) : ObjectName(El::PADRED));
        resize(kPadWidth, kPadHeight);
        setCursor(Qt::OpenHandCursor);
        SetHint(this, QStringLiteral("Click and drag to place on patient"), 180);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = LogicalPainting(p, this);
        const QPixmap pad = PadPicture(white_, devicePixelRatioF() * ScaleOf(this));
        p.drawPixmap(area, isEnabled() ? pad : greyed(pad));
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
};

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
    El name = fromMisplaced ? (white ? El::PADWHITEzoneTorso : El::PADREDzoneTorso)
                            : (white ? El::PADWHITE : El::PADRED);
    bool taken = false;
    bool started = false;
    actions.Dispatch([&] {
        // Asked at the time of the press, once the timers due by then have fired.
        taken = PadCanBeTaken(engine, name);
        if (!taken) return;
        if (fromMisplaced) PressMisplacedPad(engine, pad);
        started = fromMisplaced ? StartMisplacedPadDrag(engine, pad) : StartPadDrag(engine, pad);
    });
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
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
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

PadTray::PadTray(Engine& engine, Actions& actions, Binder& binder, QWidget* parent)
    : QWidget(parent) {
    setObjectName(ObjectName(El::PADPanel));
    setAcceptDrops(true);
    auto* white = new TrayPad(engine, actions, true, this);
    white->move(40, 3);
    binder.Bind(El::PADWHITE, white, Binder::Visible | Binder::Enabled);
    auto* red = new TrayPad(engine, actions, false, this);
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
