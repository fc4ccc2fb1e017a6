#pragma once
// Ends the program as soon as a widget has painted once: the start-up benchmark times a process
// from its start to the first paint of the main menu.
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdlib>

class FirstPaintQuit : public QObject {
  public:
    // Watches the whole application, and is installed after the program's own filters, so that
    // it sees the paint first: the program's work queued for after its first paint is not timed.
    explicit FirstPaintQuit(QObject* watched) : watched_(watched) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == watched_ && event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // After this paint has reached the screen.
            // Ends here, before any other work queued for after the paint and without tearing the
            // windows down: the benchmark times the way to the first paint, nothing else.
            QTimer::singleShot(0, qApp, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QObject* watched_;
    bool painted_ = false;
};
