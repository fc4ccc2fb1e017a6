#include "ui/menu_panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <functional>

#include "ui/binder.h"
#include "ui/screen_scale.h"

namespace ardentix::ui {

// One item of the main menu: a picture-like button, drawn lit while the panel highlights it.
class MenuItem : public QWidget {
  public:
    MenuItem(const QString& objectName, const QString& caption, const QString& hint,
             QWidget* parent)
        : QWidget(parent), caption_(caption) {
        setObjectName(objectName);
        setToolTip(hint);
        setAccessibleName(caption);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        resize(260, 52);
    }
    std::function<void()> activated;
    // The mouse came in (true) or went out (false); the item got the focus; it lost it.
    std::function<void(bool)> hovered;
    std::function<void(bool)> focused;

    void SetLit(bool lit) {
        if (lit == lit_) return;
        lit_ = lit;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = LogicalPainting(p, this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(area).adjusted(2, 2, -2, -2);
        // While another window waits for an answer the items are greyed out, none lit.
        const bool lit = lit_ && isEnabled();
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, lit ? QColor(120, 20, 20) : QColor(40, 40, 48));
        fill.setColorAt(1, lit ? QColor(70, 10, 10) : QColor(22, 22, 28));
        p.setBrush(fill);
        p.setPen(QPen(lit ? QColor(255, 220, 0) : QColor(110, 110, 120), lit ? 2 : 1));
        p.drawRoundedRect(r, 10, 10);
        QFont f = font();
        f.setPointSize(15);
        f.setBold(true);
        p.setFont(f);
        p.setPen(isEnabled() ? QColor(255, 220, 0) : QColor(120, 120, 128));
        p.drawText(r, Qt::AlignCenter, caption_);
    }
    void enterEvent(QEnterEvent*) override {
        if (hovered) hovered(true);
    }
    void leaveEvent(QEvent*) override {
        if (hovered) hovered(false);
    }
    void focusInEvent(QFocusEvent*) override {
        if (focused) focused(true);
    }
    void focusOutEvent(QFocusEvent*) override {
        if (focused) focused(false);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            activated) {
            activated();
        }
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && activated) {
            activated();
        } else {
            QWidget::keyPressEvent(event);
        }
    }

  private:
    QString caption_;
    bool lit_ = false;
};

MenuPanel::MenuPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(ObjectName(El::MENU));
    struct Spec {
        El name;
        const char* caption;
        const char* hint;
        void (MenuPanel::*signal)();
    };
    const Spec specs[4] = {
        {El::STARTImage, "Start", "Log in and start a scenario", &MenuPanel::startChosen},
        {El::OPTIONSImage, "Options", "Displays option tabs", &MenuPanel::optionsChosen},
        {El::SCOREBOARDImage, "Scoreboard", "Shows the top ten scores",
         &MenuPanel::scoreboardChosen},
        {El::QUITImage, "Quit", "Leaves the program", &MenuPanel::quitChosen},
    };
    for (int i = 0; i < 4; ++i) {
        items_[i] = new MenuItem(ObjectName(specs[i].name), QString::fromLatin1(specs[i].caption),
                                 QString::fromLatin1(specs[i].hint), this);
        items_[i]->move((640 - items_[i]->width()) / 2, 190 + i * 62);
        auto signal = specs[i].signal;
        MenuItem* item = items_[i];
        item->activated = [this, signal] { emit(this->*signal)(); };
        // One item is lit at a time: the one under the mouse, else the one that got the focus
        // last; the mouse over the background lights none.
        item->hovered = [this, item](bool in) {
            if (in) {
                highlight(item);
            } else if (highlighted_ == item) {
                highlight(nullptr);
            }
        };
        item->focused = [this, item](bool in) {
            if (in) {
                highlight(item);
            } else if (highlighted_ == item && !item->underMouse()) {
                highlight(nullptr);
            }
        };
    }
}

QWidget* MenuPanel::StartButton() const {
    return items_[0];
}

QWidget* MenuPanel::Highlighted() const {
    return highlighted_;
}

void MenuPanel::highlight(MenuItem* item) {
    highlighted_ = item;
    for (MenuItem* each : items_)
        each->SetLit(each == item);
}

void MenuPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = LogicalPainting(p, this);
    const int width = area.width();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::black);

    // The title with an ECG trace under it.
    QFont title = font();
    title.setPointSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(255, 220, 0));
    p.drawText(QRect(0, 24, width, 60), Qt::AlignCenter, QStringLiteral("Ardentix"));
    QFont sub = font();
    sub.setPointSize(11);
    p.setFont(sub);
    p.setPen(QColor(200, 200, 200));
    p.drawText(QRect(0, 84, width, 24), Qt::AlignCenter,
               QStringLiteral("AED and basic life support trainer"));

    QPainterPath trace;
    const int y = 150;
    trace.moveTo(40, y);
    for (int x = 40; x + 110 <= width - 40; x += 110) {
        trace.lineTo(x + 40, y);
        trace.lineTo(x + 50, y - 8);
        trace.lineTo(x + 58, y);
        trace.lineTo(x + 64, y + 6);
        trace.lineTo(x + 70, y - 30);
        trace.lineTo(x + 76, y + 14);
        trace.lineTo(x + 82, y);
        trace.lineTo(x + 110, y);
    }
    p.setPen(QPen(QColor(40, 220, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
}

void MenuPanel::mouseDoubleClickEvent(QMouseEvent*) {
    emit startChosen();
}

}  // namespace ardentix::ui
