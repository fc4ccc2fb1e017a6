#include "ui/aed_panel.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <cmath>

#include "core/screen.h"
#include "ui/actions.h"
#include "ui/binder.h"
#include "ui/keys.h"
#include "ui/program_style.h"
#include "ui/screen_scale.h"

namespace ardentix::ui {

namespace {

QColor lampColour(Color c) {
    switch (c) {
        case Color::Green:
            return QColor(40, 230, 60);
        case Color::Yellow:
            return QColor(255, 240, 60);  // lemon: lighter than the case's golden yellow
        case Color::Red:
            return QColor(240, 30, 30);
        default:
            return QColor(245, 245, 245);  // white: dark
    }
}

// A lamp of the device in its dark bezel. A lit lamp glows: lighter towards its upper left, as a
// bulb under a lens; a dark one is flat white. The bezel keeps a lit yellow lamp from reading as
// the yellow case showing through.
void drawLamp(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour, bool lit) {
    p.save();
    p.setPen(QPen(QColor(30, 30, 30), 3));
    if (lit) {
        const QColor white(255, 255, 255);
        QColor glow = colour;
        glow.setRgb((colour.red() * 3 + white.red()) / 4, (colour.green() * 3 + white.green()) / 4,
                    (colour.blue() * 3 + white.blue()) / 4);
        QRadialGradient fill(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
        fill.setColorAt(0, glow);
        fill.setColorAt(0.6, colour);
        fill.setColorAt(1, colour.darker(110));
        p.setBrush(fill);
    } else {
        p.setBrush(colour);
    }
    p.drawEllipse(centre, radius, radius);
    if (lit) {
        // Short rays around the bezel: a lit lamp reads as lit by its shape too, not by its
        // colour alone (a dark lamp is white, which a colour-blind eye may take for lit yellow).
        p.setPen(QPen(QColor(20, 20, 20), 1.6, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * 3.14159265 / 4;
            const QPointF dir(std::cos(a), std::sin(a));
            p.drawLine(centre + dir * (radius + 3), centre + dir * (radius + 6));
        }
    }
    p.restore();
}

// A round key of the device.
class RoundKey : public QPushButton {
  public:
    RoundKey(const QString& caption, const QColor& colour, QWidget* parent)
        : QPushButton(caption, parent), colour_(colour) {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = LogicalPainting(p, this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(area).adjusted(2, 2, -2, -2);
        QRadialGradient fill(r.center() - QPointF(r.width() / 6, r.height() / 6), r.width() / 1.4);
        // A key that cannot be pressed now (during a pause) is drawn grey.
        const bool on = isEnabled();
        QColor base = on ? colour_ : QColor(128, 128, 128);
        if (isDown()) base = base.darker(140);
        fill.setColorAt(0, base.lighter(150));
        fill.setColorAt(1, base.darker(120));
        p.setBrush(fill);
        p.setPen(QPen(on ? QColor(30, 30, 30) : QColor(90, 90, 90), 2));
        p.drawEllipse(r);
        QFont f = font();
        f.setPointSize(7);
        f.setBold(true);
        p.setFont(f);
        p.setPen(on ? QColor(Qt::black) : QColor(70, 70, 70));
        p.drawText(r, Qt::AlignCenter, text());
        if (hasFocus()) DrawFocusRing(p, QRectF(area), area.width() / 2.0);
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::EnabledChange)
            setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
        QPushButton::changeEvent(event);
    }

  private:
    QColor colour_;
};

// The child key: a slide switch with its caption on the side the knob leaves free; the knob is
// blue on the right while the key is on. It shows the engine's state, the click toggles it there.
class ChildKeySwitch : public QPushButton {
  public:
    ChildKeySwitch(const Screen& screen, QWidget* parent) : QPushButton(parent), screen_(screen) {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = LogicalPainting(p, this);
        p.setRenderHint(QPainter::Antialiasing);
        const bool on = screen_.Get(El::CHILDKEY).checked;
        const bool usable = isEnabled();
        const QRectF track = QRectF(area).adjusted(1, 1, -1, -1);
        p.setPen(QPen(QColor(30, 30, 30), 1.5));
        p.setBrush(usable ? QColor(60, 64, 72) : QColor(120, 120, 120));
        p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
        const qreal knob = track.height() - 4;
        const QRectF knobBox(on ? track.right() - knob - 2 : track.left() + 2, track.top() + 2,
                             knob, knob);
        QColor knobColour = on ? QColor(40, 140, 255) : QColor(200, 200, 200);
        if (!usable) knobColour = knobColour.darker(130);
        if (isDown()) knobColour = knobColour.darker(120);
        p.setBrush(knobColour);
        p.drawEllipse(knobBox);
        QFont f = font();
        f.setPointSize(6);
        f.setBold(true);
        p.setFont(f);
        p.setPen(usable ? QColor(255, 255, 255) : QColor(200, 200, 200));
        const QRectF caption =
            on ? QRectF(track.left() + 4, track.top(), knobBox.left() - 6, track.height())
               : QRectF(knobBox.right() + 2, track.top(), track.right() - knobBox.right() - 6,
                        track.height());
        p.drawText(caption, Qt::AlignCenter, QStringLiteral("CHILD"));
        if (hasFocus()) DrawFocusRing(p, QRectF(area), area.height() / 2.0);
    }

  private:
    const Screen& screen_;
};

// The child light, lit: shown only while the key is on (the dark socket under it is drawn by the
// device's face). Clicks go through it to what lies below.
class ChildLight : public QWidget {
  public:
    explicit ChildLight(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = LogicalPainting(p, this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(area).adjusted(1.5, 1.5, -1.5, -1.5);
        drawLamp(p, r.center(), r.width() / 2, QColor(255, 150, 0), true);  // amber
    }
};

// The socket of the child light, dark (white, as the other lamps), on either face of the device.
void drawChildLightSocket(QPainter& p, const Screen& screen) {
    const Element& led = screen.Get(El::CHILDLED);
    const QRectF r =
        QRectF(led.left, led.top, led.width, led.height).adjusted(1.5, 1.5, -1.5, -1.5);
    drawLamp(p, r.center(), r.width() / 2, lampColour(Color::White), false);
}

// The closed device: a case with a handle and the power key.
class ClosedDevice : public QWidget {
  public:
    ClosedDevice(const Screen& screen, QWidget* parent) : QWidget(parent), screen_(screen) {
        setObjectName(ObjectName(El::AEDPANEL));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = LogicalPainting(p, this);
        p.setRenderHint(QPainter::Antialiasing);
        // The case reaches as far down as the close-up's, so that the child key lying over both
        // faces sits on it with the same room below.
        const QRectF body = QRectF(area).adjusted(8, 28, -8, -2);
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(QColor(70, 75, 85));
        p.drawRoundedRect(QRectF(body.center().x() - 40, 6, 80, 34), 12, 12);  // handle
        p.setBrush(QColor(252, 196, 20));
        p.drawRoundedRect(body, 18, 18);
        p.setBrush(QColor(40, 42, 48));
        const QRectF window(body.left() + 16, body.top() + 16, body.width() - 32, 83);
        p.drawRoundedRect(window, 8, 8);
        QFont f = font();
        f.setPointSize(20);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(255, 255, 255));
        p.drawText(window, Qt::AlignCenter, ObjectName(El::AED));
        if (screen_.Get(El::AnalyzeButtonCover).visible) {
            // The plate over the analyze key of a two-button device, level with the power key and
            // above the child key.
            p.setBrush(QColor(200, 150, 10));
            p.setPen(QPen(QColor(120, 90, 0), 1));
            const Element& power = screen_.Get(El::PowerButton);
            const double middle = power.top + power.height / 2.0;
            p.drawRoundedRect(QRectF(body.right() - 62, middle - 18, 44, 36), 6, 6);
        }
        drawChildLightSocket(p, screen_);
    }

  private:
    const Screen& screen_;
};

// The low-battery symbol in the display's lower left corner: an empty cell with its terminal.
void drawLowBattery(QPainter& p, const QRectF& lcd) {
    p.save();
    p.setPen(QPen(QColor(20, 30, 20), 2));
    p.setBrush(Qt::NoBrush);
    const QRectF cell(lcd.left() + 8, lcd.bottom() - 20, 24, 12);
    p.drawRect(cell);
    p.setBrush(QColor(20, 30, 20));
    p.drawRect(QRectF(cell.right(), cell.top() + 3, 3, 6));
    p.drawRect(QRectF(cell.left() + 3, cell.top() + 3, 4, 6));  // the little charge left
    p.restore();
}

// The close-up: display, lamps and keys.
class Closeup : public QWidget {
  public:
    Closeup(const Screen& screen, QWidget* parent) : QWidget(parent), screen_(screen) {
        setObjectName(ObjectName(El::CloseupPanel));
        setAccessibleName(QStringLiteral("AED display"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = LogicalPainting(p, this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(QColor(252, 196, 20));
        p.drawRoundedRect(QRectF(area).adjusted(2, 2, -2, -2), 16, 16);

        // The LCD.
        const QRectF lcd(14, 14, area.width() - 28, 78);
        p.setBrush(QColor(170, 196, 140));
        p.setPen(QPen(QColor(40, 50, 30), 3));
        p.drawRoundedRect(lcd, 6, 6);
        QFont mono(QStringLiteral("Monospace"));
        mono.setStyleHint(QFont::TypeWriter);
        mono.setBold(true);
        mono.setPointSize(9);
        p.setFont(mono);
        p.setPen(QColor(20, 30, 20));
        auto text = [&](El name) { return QString::fromStdString(screen_.Get(name).text); };
        auto shown = [&](El name) { return screen_.Get(name).visible; };
        if (shown(El::TIMELabel))
            p.drawText(lcd.adjusted(8, 4, -8, 0), Qt::AlignLeft, text(El::TIMELabel));
        if (shown(El::NumShockLabel)) {
            p.drawText(lcd.adjusted(8, 4, -8, 0), Qt::AlignRight, text(El::NumShockLabel));
        }
        if (shown(El::LOWBATTERYINDICATOR)) drawLowBattery(p, lcd);
        if (shown(El::AEDDISPLAY0)) {
            p.drawText(lcd.adjusted(4, 22, -4, 0), Qt::AlignHCenter, text(El::AEDDISPLAY0));
        }
        mono.setPointSize(10);
        p.setFont(mono);
        if (shown(El::AEDDISPLAY1)) {
            p.drawText(lcd.adjusted(4, 46, -4, 0), Qt::AlignHCenter, text(El::AEDDISPLAY1));
        }

        // The lamps: white when dark.
        const struct {
            El name;
            const char* caption;
            int x;
        } lamps[] = {{El::PowerLight, "POWER", 36},
                     {El::AnalyzeLED, "ANALYZE", 104},
                     {El::ShockLED, "SHOCK", 172}};
        QFont small = font();
        small.setPointSize(6);
        small.setBold(true);
        for (const auto& lamp : lamps) {
            if (!shown(lamp.name)) continue;
            const Color colour = screen_.Get(lamp.name).color;
            drawLamp(p, QPointF(lamp.x, 112), 9, lampColour(colour), colour != Color::White);
            p.setFont(small);
            p.setPen(Qt::black);
            p.drawText(QRectF(lamp.x - 30, 122, 60, 12), Qt::AlignCenter,
                       QString::fromLatin1(lamp.caption));
        }
        drawChildLightSocket(p, screen_);
    }

  private:
    const Screen& screen_;
};

RoundKey* key(Actions& actions, Binder& binder, El element, const QString& caption,
              const QColor& colour, const QString& hint, QWidget* parent) {
    auto* k = new RoundKey(caption, colour, parent);
    k->setObjectName(ObjectName(element));
    // "ON" alone would not say which key it is.
    k->setAccessibleName(caption == QStringLiteral("ON")
                             ? QStringLiteral("Power")
                             : caption.left(1) + caption.mid(1).toLower());
    SetHint(k, WithKey(element, hint), 180);
    binder.Bind(element, k, Binder::Visible | Binder::Enabled);
    QObject::connect(k, &QPushButton::clicked, parent,
                     [&actions, element] { actions.Click(element); });
    return k;
}

}  // namespace

AedPanel::AedPanel(const Screen& screen, Actions& actions, Binder& binder, QWidget* parent)
    : QWidget(parent), screen_(screen) {
    setObjectName(QStringLiteral("AedPanel"));
    auto* closed = new ClosedDevice(screen, this);
    closed_ = closed;
    closed->setGeometry(0, 0, 208, 245);
    binder.Bind(El::AEDPANEL, closed, Binder::Visible);
    RoundKey* power = key(actions, binder, El::PowerButton, QStringLiteral("ON"),
                          QColor(40, 200, 60), QStringLiteral("Turns on AED power"), closed);
    // Where the engine has it: the advice to turn the AED on points there.
    const Element& powerKey = screen.Get(El::PowerButton);
    power->setGeometry(powerKey.left, powerKey.top, powerKey.width, powerKey.height);

    auto* closeup = new Closeup(screen, this);
    closeup_ = closeup;
    closeup->setGeometry(0, 0, 208, 245);
    binder.Bind(El::CloseupPanel, closeup, Binder::Visible);
    // A screen reader hears each new line of the display.
    binder.Bind(El::AEDDISPLAY0, closeup, Binder::Announce);
    binder.Bind(El::AEDDISPLAY1, closeup, Binder::Announce);
    key(actions, binder, El::AnalyzeButton, QStringLiteral("ANALYZE"), QColor(255, 210, 0),
        QStringLiteral("Starts analyze process"), closeup)
        ->setGeometry(30, 150, 64, 64);
    key(actions, binder, El::ShockButton, QStringLiteral("SHOCK"), QColor(230, 40, 40),
        QStringLiteral("Delivers a shock when advised"), closeup)
        ->setGeometry(116, 150, 64, 64);
    key(actions, binder, El::POWERBUTTON2, QStringLiteral("ON"), QColor(40, 200, 60),
        QStringLiteral("Turns on the AED power"), closeup)
        ->setGeometry(82, 214, 28, 28);

    // The child key and its light lie over both faces of the device, at the same place on each.
    auto* childKey = new ChildKeySwitch(screen, this);
    childKey_ = childKey;
    childKey->setObjectName(ObjectName(El::CHILDKEY));
    const Element& keyPlace = screen.Get(El::CHILDKEY);
    childKey->setGeometry(keyPlace.left, keyPlace.top, keyPlace.width, keyPlace.height);
    SetHint(childKey,
            WithKey(El::CHILDKEY, QStringLiteral("Child key: pediatric energy for a small child")),
            180);
    childKey->setAccessibleName(QStringLiteral("Child key"));
    binder.Bind(El::CHILDKEY, childKey, Binder::Visible | Binder::Enabled);
    QObject::connect(childKey, &QPushButton::clicked, this,
                     [&actions] { actions.Click(El::CHILDKEY); });
    auto* childLight = new ChildLight(this);
    childLight->setObjectName(ObjectName(El::CHILDLED));
    const Element& lightPlace = screen.Get(El::CHILDLED);
    childLight->setGeometry(lightPlace.left, lightPlace.top, lightPlace.width, lightPlace.height);
    binder.Bind(El::CHILDLED, childLight, Binder::Visible);
    childKey->raise();
    childLight->raise();
}

}  // namespace ardentix::ui

namespace ardentix::ui {

namespace {

// What the close-up shows, for a screen reader: the display's lines and each lamp, lit or dark.
QString displayDescription(const Screen& screen) {
    QStringList parts;
    for (El line : {El::AEDDISPLAY0, El::AEDDISPLAY1}) {
        const Element& el = screen.Get(line);
        if (el.visible && !el.text.empty()) parts << QString::fromStdString(el.text);
    }
    const struct {
        El name;
        const char* caption;
    } lamps[] = {{El::PowerLight, "Power"}, {El::AnalyzeLED, "Analyze"}, {El::ShockLED, "Shock"}};
    for (const auto& lamp : lamps) {
        const bool lit = screen.Get(lamp.name).color != Color::White;
        parts << QStringLiteral("%1 lamp %2")
                     .arg(QString::fromLatin1(lamp.caption),
                          lit ? QStringLiteral("lit") : QStringLiteral("dark"));
    }
    return parts.join(QStringLiteral(". "));
}

}  // namespace

void AedPanel::Refresh() {
    closed_->update();
    closeup_->update();
    childKey_->update();
    const QString description = displayDescription(screen_);
    if (closeup_->accessibleDescription() != description)
        closeup_->setAccessibleDescription(description);
}

}  // namespace ardentix::ui
