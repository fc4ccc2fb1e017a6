// One answer to "can this control be used now": in each window the program passes through, every
// control the engine knows is usable in the Qt program exactly when the engine says so (shown,
// enabled with all its parents, and not under a window that waits for an answer), so that a
// click the engine would refuse cannot be made and one it would take is not greyed.
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "core/engine.h"
#include "hand_clock_test.h"
#include "scenario/input.h"
#include "test_program.h"
#include "ui/main_window.h"

using namespace ardentix;

class AvailabilityTest : public test::HandClockTest {
    Q_OBJECT

    // The widget of a control: "Window.Element" in its own window, others in the main window.
    QWidget* find(std::string_view name) {
        const QString full = QString::fromUtf8(name.data(), static_cast<int>(name.size()));
        const int dot = full.indexOf(QLatin1Char('.'));
        if (dot < 0) return window_->findChild<QWidget*>(full);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == full.left(dot))
                return top->findChild<QWidget*>(full.mid(dot + 1));
        }
        return nullptr;
    }

    static bool takesClicks(QWidget* w) {
        QWidget* modal = QApplication::activeModalWidget();
        return w->isVisible() && w->isEnabled() && (!modal || modal == w->window());
    }

    // Compares every control with a widget; at least `least` of them must have one.
    void agree(const char* state, int least) {
        const AvailableInputs known = InputsKnown(*engine_);
        int compared = 0;
        QStringList disagree;
        for (const auto* list : {&known.clicks, &known.fields, &known.spins}) {
            for (El el : *list) {
                const std::string_view name = NameOf(el);
                QWidget* w = find(name);
                if (!w) continue;
                ++compared;
                if (takesClicks(w) != CanUse(*engine_, name))
                    disagree << QString::fromUtf8(name.data(), static_cast<int>(name.size())) +
                                    (takesClicks(w) ? QStringLiteral(" (usable in the window)")
                                                    : QStringLiteral(" (not usable in it)"));
            }
        }
        QVERIFY2(disagree.isEmpty(),
                 qPrintable(QLatin1String(state) + QStringLiteral(": ") + disagree.join(", ")));
        QVERIFY2(compared >= least, qPrintable(QString::number(compared)));
    }

  private slots:
    void init() { StartProgram(); }
    void cleanup() { StopProgram(); }

    void theWindowAndTheEngineAgree() {
        agree("main menu", 4);
        QTest::mouseClick(window_->Menu()->StartButton(), Qt::LeftButton);
        agree("log-in", 8);
        QTest::mouseClick(
            test::TopDialog("TUserNAMEFORM")->findChild<QPushButton*>(QStringLiteral("CancelBtn")),
            Qt::LeftButton);
        QTRY_VERIFY(!test::TopDialog("TUserNAMEFORM")->isVisible());

        LogIn(false);
        agree("scenario", 10);
        QTest::mouseClick(widget<QPushButton>("ENDBUTTON"), Qt::LeftButton);
        agree("final deductions", 10);
        QTest::mouseClick(widget<QPushButton>("FinalErrorOKButton"), Qt::LeftButton);
        QTRY_VERIFY(test::TopDialog("TForm2")->isVisible());
        agree("summary", 10);
    }

    void optionPagesAndTheMailWindow() {
        QTest::mouseClick(widget("OPTIONSImage"), Qt::LeftButton);
        auto* pages = widget<QTabWidget>("PageControl1");
        QTRY_VERIFY(pages->isVisible());
        agree("scenario tab", 10);
        window_->Tab(QStringLiteral("Test"));
        pages->setCurrentIndex(2);
        QTest::mouseClick(test::Child(pages, "eMailCONFIGURE"), Qt::LeftButton);
        QTRY_VERIFY(test::TopDialog("TFRMSEND")->isVisible());
        agree("mail configuration", 15);
    }
};

QTEST_MAIN(AvailabilityTest)
#include "availability_test.moc"
