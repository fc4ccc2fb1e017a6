// The guidelines on the option pages, on the offscreen platform: an instructor chooses the
// current guidelines on the Protocol tab, the controls they fix grey out in the window and take
// no input, the choice is saved as one more line of OPTION2.INI and is there again when the
// program starts next; the classic guidelines write the file as before.
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "core/engine.h"
#include "core/settings_files.h"
#include "options/options.h"
#include "test_program.h"
#include "ui/main_window.h"

using namespace ardentix;

namespace {

// OPTION2.INI of the Protocol tab at its defaults, byte for byte.
const QByteArray kClassicDefaults =
    "3\r\nT\r\n8\r\n0\r\n60\r\n0\r\n--\r\nF\r\nT\r\nF\r\nF\r\nF\r\n75\r\nT\r\nT\r\n\r\n";

// The widgets of the controls the current guidelines fix, by their object names.
const char* const kFixedFields[] = {"OptCPR0Length", "OptCPR1Length", "OptCPR2Length"};
const char* const kFixedSpins[] = {"SpinButton0", "SpinButton1", "SpinButton2"};
const char* const kFixedBoxes[] = {"OptPulseAfterCPR", "OptPulseAfter3rdShock"};
// Controls of the same tab they leave alone.
const char* const kFreeWidgets[] = {"OPTCPRCOMP",    "SpinButton7",    "OptMinimumAge",
                                    "OPTCLEARShock", "OPTPEDSMONITOR", "OptVoice"};

}  // namespace

class GuidelinesPagesTest : public QObject {
    Q_OBJECT

    test::TestProgram program_;
    QTabWidget* pages_ = nullptr;

    Engine& engine() { return *program_.engine; }
    ui::MainWindow* window() { return program_.window.get(); }
    template <typename T = QWidget>
    T* child(const char* name) {
        return test::Child<T>(pages_, name);
    }
    QByteArray option2() {
        QFile file(QDir(program_.dir->path()).filePath(QString::fromLatin1(kOption2File)));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll();
    }
    void findPages() { pages_ = test::Child<QTabWidget>(window(), "PageControl1"); }
    // A click on a check box or radio button, on its box.
    static void tick(QWidget* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    void openProtocolTab() {
        QTest::mouseClick(test::Child(window(), "OPTIONSImage"), Qt::LeftButton);
        QVERIFY(pages_->isVisible());
        QTabBar* bar = pages_->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        QCOMPARE(pages_->tabText(pages_->currentIndex()), QStringLiteral("Protocol"));
    }
    // Close, answering the question to save with Yes.
    void closeAndSave() {
        const QString asked = test::AnswerBoxAfter(
            QMessageBox::Yes, [this] { QTest::mouseClick(child("ProtocolOK"), Qt::LeftButton); });
        QCOMPARE(asked, QStringLiteral("Save changes to settings?"));
        QVERIFY(!pages_->isVisible());
    }
    // Every control the current guidelines fix is enabled, or disabled, in the window; its
    // caption greys with a field; the controls they leave alone stay enabled.
    void checkFixed(bool enabled) {
        for (const char* name : kFixedFields) {
            auto* field = child<QLineEdit>(name);
            QVERIFY2(field->isEnabled() == enabled, name);
            // The caption of the field, its buddy, greys with it.
            bool captioned = false;
            for (QLabel* caption : pages_->findChildren<QLabel*>()) {
                if (caption->buddy() != field) continue;
                captioned = true;
                QVERIFY2(caption->isEnabled() == enabled, name);
            }
            QVERIFY2(captioned, name);
        }
        for (const char* name : kFixedSpins) {
            QVERIFY2(child(name)->isEnabled() == enabled, name);
            QVERIFY2(test::Child<QToolButton>(child(name), "Up")->isEnabled() == enabled, name);
        }
        for (const char* name : kFixedBoxes)
            QVERIFY2(child<QCheckBox>(name)->isEnabled() == enabled, name);
        QVERIFY(child<QCheckBox>("Opt2CPR")->isEnabled() == enabled);
        // Compressions by key are offered with the current guidelines only.
        QVERIFY(child<QCheckBox>("OPTCompressByKey")->isEnabled() == !enabled);
        for (const char* name : kFreeWidgets)
            QVERIFY2(child(name)->isEnabled(), name);
        QVERIFY(child("OPTGuideClassic")->isEnabled());
        QVERIFY(child("OPTGuideCurrent")->isEnabled());
    }

  private slots:
    void init() {
        program_.Start();
        if (QTest::currentTestFailed()) return;
        findPages();
    }

    void cleanup() { program_.Stop(); }

    void theGuidelinesAreChosenOnTheProtocolTab() {
        openProtocolTab();
        auto* classic = child<QRadioButton>("OPTGuideClassic");
        auto* current = child<QRadioButton>("OPTGuideCurrent");
        QCOMPARE(classic->text(), QStringLiteral("Classic (stacked shocks)"));
        QCOMPARE(current->text(), QStringLiteral("Current (single shock, 2-minute CPR)"));
        // Both in the group "Guidelines" of the Protocol tab.
        auto* group = qobject_cast<QGroupBox*>(classic->parentWidget());
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral("Guidelines"));
        QCOMPARE(current->parentWidget(), group);
        auto* byKey = child<QCheckBox>("OPTCompressByKey");
        QCOMPARE(byKey->text(), QStringLiteral("  Compress by key"));
        QCOMPARE(byKey->parentWidget(), group);
        QVERIFY(!byKey->isChecked());
        QVERIFY(pages_->currentWidget()->isAncestorOf(group));
        QVERIFY(classic->isChecked() && !current->isChecked());
        checkFixed(true);

        tick(current);
        QVERIFY(engine().settings.On(Opt::OPTGuideCurrent));
        QVERIFY(current->isChecked() && !classic->isChecked());
        QVERIFY(engine().settings.Changed());
        checkFixed(false);

        // A disabled control takes no click: the values stay as they were.
        auto* pulseAfterCpr = child<QCheckBox>("OptPulseAfterCPR");
        tick(pulseAfterCpr);
        QVERIFY(!pulseAfterCpr->isChecked());
        QVERIFY(!engine().settings.On(Opt::OptPulseAfterCPR));
        QTest::mouseClick(test::Child<QToolButton>(child("SpinButton1"), "Up"), Qt::LeftButton);
        QCOMPARE(engine().settings.Value(Opt::OptCPR1Length), 60);
        QCOMPARE(child<QLineEdit>("OptCPR1Length")->text(), QStringLiteral("60"));
        // The countdown speed still steps.
        QTest::mouseClick(test::Child<QToolButton>(child("SpinButton7"), "Up"), Qt::LeftButton);
        QCOMPARE(engine().settings.Value(Opt::OPTCPRCOMP), 80);

        // Saved: one more line "1".
        closeAndSave();
        QByteArray expected = kClassicDefaults;
        expected.replace("\r\n75\r\n", "\r\n80\r\n");
        QCOMPARE(option2(), expected + "1\r\n");

        // The next start reads it: Current, the fixed controls disabled from the first.
        program_.Restart();
        findPages();
        QVERIFY(engine().settings.On(Opt::OPTGuideCurrent));
        openProtocolTab();
        QVERIFY(child<QRadioButton>("OPTGuideCurrent")->isChecked());
        QVERIFY(!child<QRadioButton>("OPTGuideClassic")->isChecked());
        checkFixed(false);

        // Classic again: the fixed controls come back, and the file is as it always was.
        tick(child<QRadioButton>("OPTGuideClassic"));
        checkFixed(true);
        tick(child<QCheckBox>("OptPulseAfterCPR"));
        QVERIFY(engine().settings.On(Opt::OptPulseAfterCPR));
        tick(child<QCheckBox>("OptPulseAfterCPR"));
        closeAndSave();
        QCOMPARE(option2(), expected);

        program_.Restart();
        findPages();
        QVERIFY(engine().settings.On(Opt::OPTGuideClassic));
        openProtocolTab();
        QVERIFY(child<QRadioButton>("OPTGuideClassic")->isChecked());
        checkFixed(true);

        // DEFAULT under Current: classic, the controls enabled again.
        tick(child<QRadioButton>("OPTGuideCurrent"));
        checkFixed(false);
        QTest::mouseClick(child("PROTOCOLDefaultButton"), Qt::LeftButton);
        QVERIFY(child<QRadioButton>("OPTGuideClassic")->isChecked());
        QVERIFY(!child<QRadioButton>("OPTGuideCurrent")->isChecked());
        checkFixed(true);
        closeAndSave();
        QCOMPARE(option2(), kClassicDefaults);
    }
};

QTEST_MAIN(GuidelinesPagesTest)
#include "guidelines_pages_test.moc"
