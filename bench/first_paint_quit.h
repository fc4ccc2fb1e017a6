#pragma once
// Ends the program as soon as a widget has painted once: the start-up benchmark times a process
// from its start to the first paint of the main menu.
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

class FirstPaintQuit : public QObject {
  public:
    explicit FirstPaintQuit(QObject* watched) { watched->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // After this paint has reached the screen.
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool painted_ = false;
};
