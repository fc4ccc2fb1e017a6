#pragma once
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

#include "core/engine.h"
#include "hand_clock.h"
#include "test_program.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"

namespace ardentix::test {

// A test of the program on a clock it moves by hand: every test function starts the program
// afresh (init) and ends it (cleanup), and finds the windows' widgets and actions by name.
class HandClockTest : public QObject {
  protected:
    // No AED fault is drawn unless the test lets one be: a fault draw reseeds the random
    // generator, and most tests judge something else.
    void StartProgram(bool faults = false) {
        clock_ = std::make_unique<HandClock>();
        program_.Start(clock_.get());
        if (QTest::currentTestFailed()) return;
        engine_ = program_.engine.get();
        window_ = program_.window.get();
        if (!faults) engine_->settings.SetText(Opt::OptTroubleOdds, "0");
    }
    void StopProgram() {
        program_.Stop();
        clock_.reset();
    }

    // Logs Kim Lee in to a tutorial or a practice scenario through the log-in window, with a
    // patient of one shock.
    void LogIn(bool tutorial) {
        QTest::mouseClick(window_->Menu()->StartButton(), Qt::LeftButton);
        QDialog* login = TopDialog("TUserNAMEFORM");
        QTest::keyClicks(login->findChild<QLineEdit*>(QStringLiteral("NAMEEdit")),
                         QStringLiteral("Kim Lee"));
        const char* mode = tutorial ? "TUTORIALButton" : "Practicebutton";
        QTest::mouseClick(login->findChild<QRadioButton*>(QString::fromLatin1(mode)),
                          Qt::LeftButton);
        engine_->nextPatient = PatientOverride{0, 1, 4, {}};
        QTest::mouseClick(login->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
        QTRY_VERIFY(!login->isVisible());
    }

    template <typename T = QWidget>
    T* widget(const char* name) {
        return Child<T>(window_, name);
    }
    QAction* action(const char* name) {
        auto* a = window_->findChild<QAction*>(QString::fromLatin1(name));
        if (!a) qFatal("no action %s", name);
        return a;
    }

    std::unique_ptr<HandClock> clock_;
    TestProgram program_;
    Engine* engine_ = nullptr;
    ui::MainWindow* window_ = nullptr;
};

}  // namespace ardentix::test
