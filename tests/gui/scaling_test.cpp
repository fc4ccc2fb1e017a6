// The window made larger: the scenario screen grows as one picture, in the middle, and the engine
// still hears the classic window's coordinates; the patient is drawn from the larger pictures; the
// window's size, place and full screen come back at the next start, from the user's
// configuration, and F11 toggles full screen.
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>

#include "aed/aed.h"
#include "core/elements.h"
#include "core/patient_tables.h"
#include "core/picture_files.h"
#include "hand_clock_test.h"
#include "ui/screen_scale.h"

using namespace ardentix;

class ScalingTest : public test::HandClockTest {
    Q_OBJECT

    // The window sized so that the screen is shown at the factor (its width decides), with room
    // left below.
    void showAt(qreal factor, int extraHeight = 0) {
        window_->showNormal();
        const QSize classic = stage()->LogicalSize();
        QCOMPARE(classic + QSize(0, window_->menuBar()->height()), QSize(640, 480));
        window_->resize(
            qCeil(classic.width() * factor),
            qCeil(classic.height() * factor) + 1 + extraHeight + window_->menuBar()->height());
        QTRY_COMPARE(stage()->Factor(), factor);
    }
    ui::ScaledStage* stage() { return test::Child<ui::ScaledStage>(window_, "ScaledStage"); }

    // A pad carried from the tray and let go at a point of the screen's pixels over the patient,
    // as the drag the tray starts brings it there.
    void dropPad(Pad pad, QPointF at) {
        window_->Dispatch([&] { QVERIFY(StartPadDrag(*engine_, pad)); });
        QMimeData data;
        data.setData(QStringLiteral("application/x-ardentix-pad"),
                     pad == Pad::White ? "white" : "red");
        QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        // Straight to the patient view: outside a drag Qt hands a drop event to no one.
        static_cast<QObject*>(widget("PATIENTGraphic"))->event(&drop);
        QVERIFY(drop.isAccepted());
        window_->Dispatch([&] { EndPadDrag(*engine_, pad, false); });
    }

    static QRect rectOf(const Element& el) { return {el.left, el.top, el.width, el.height}; }

  private slots:
    void init() { StartProgram(); }
    void cleanup() { StopProgram(); }

    // Each pad is let go just outside and just inside a zone's edge, in the screen's pixels: the
    // engine hears the same classic coordinates at 1x and at 2.5x.
    void padsLandAtTheClassicCoordinates_data() {
        QTest::addColumn<qreal>("factor");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2.5x") << 2.5;
    }
    void padsLandAtTheClassicCoordinates() {
        QFETCH(qreal, factor);
        showAt(factor);
        LogIn(false);
        clock_->Advance(1000);
        const QRect white = rectOf(engine_->screen.Get(El::PADWhiteZone));
        const QRect red = rectOf(engine_->screen.Get(El::PADRedZONE));
        // The last pixel of the screen left of the white zone lies on the chest beside it.
        const QPoint beside(white.left() - 1, white.top() + 4);
        QVERIFY(PadTargetAt(*engine_, beside.x(), beside.y()) == PadTarget::Torso);
        dropPad(Pad::White, QPointF(white.left() * factor - 1, (white.top() + 4) * factor));
        const Element& loose = engine_->screen.Get(El::PADWHITEzoneTorso);
        QVERIFY(loose.visible);
        QCOMPARE(QPoint(loose.left, loose.top), beside - QPoint(kPadWidth / 2, kPadHeight / 2));
        // The first pixel of the red zone is on it.
        dropPad(Pad::Red, QPointF(red.left() * factor, red.top() * factor));
        QVERIFY(!engine_->screen.Get(El::PADREDzoneTorso).visible);
        QVERIFY(engine_->aed().RedPadAttached);
        QVERIFY(!engine_->aed().WhitePadAttached);
    }

    // At 2.5x every widget of the screen has its classic place and font times 2.5, the buttons
    // the engine lays out after the window grew too; back at 1x all is as it was.
    void screenScalesAsOnePicture() {
        LogIn(false);
        const char* names[] = {"PATIENTGraphic", "CPRBUTTON", "ENDBUTTON", "SCOREDisplay",
                               "MSG0",           "PADWHITE",  "AEDPANEL",  "PowerButton"};
        std::vector<std::pair<QRect, qreal>> classic;
        for (const char* name : names)
            classic.emplace_back(widget(name)->geometry(), widget(name)->font().pointSizeF());
        QWidget* screen = widget("ScenarioScreen");
        QCOMPARE(screen->geometry().topLeft(), QPoint(0, 0));

        // Taller than the picture: it stands in the middle, black above and below.
        showAt(2.5, 301);
        const QSize shown(1600, qRound(stage()->LogicalSize().height() * 2.5));
        QCOMPARE(screen->geometry(),
                 QRect(QPoint(0, (stage()->height() - shown.height()) / 2), shown));
        QVERIFY(screen->y() >= 150);
        for (size_t i = 0; i < std::size(names); ++i) {
            const QRect c = classic[i].first;
            const QRect expected(
                QPoint(qRound(c.left() * 2.5), qRound(c.top() * 2.5)),
                QPoint(qRound((c.right() + 1) * 2.5) - 1, qRound((c.bottom() + 1) * 2.5) - 1));
            QCOMPARE(widget(names[i])->geometry(), expected);
            QCOMPARE(widget(names[i])->font().pointSizeF(), classic[i].second * 2.5);
        }
        // The engine lays the action bar out again at the next scenario: the buttons follow.
        QTest::mouseClick(widget<QPushButton>("ENDBUTTON"), Qt::LeftButton);
        auto* finalOk = widget<QPushButton>("FinalErrorOKButton");
        if (finalOk->isVisible()) QTest::mouseClick(finalOk, Qt::LeftButton);
        QDialog* summary = test::TopDialog("TForm2");
        QTRY_VERIFY(summary->isVisible());
        QTest::mouseClick(test::Child<QPushButton>(summary, "RepeatButton"), Qt::LeftButton);
        QTRY_VERIFY(widget("CPRBUTTON")->isVisible());
        const Element& cpr = engine_->screen.Get(El::CPRBUTTON);
        QCOMPARE(widget("CPRBUTTON")->x(), qRound(cpr.left * 2.5));
        QCOMPARE(widget("CPRBUTTON")->width(),
                 qRound((cpr.left + cpr.width) * 2.5) - qRound(cpr.left * 2.5));

        showAt(1);
        QCOMPARE(screen->geometry().topLeft(), QPoint(0, 0));
        for (size_t i = 0; i < std::size(names); ++i) {
            QCOMPARE(widget(names[i])->geometry(), classic[i].first);
            QCOMPARE(widget(names[i])->font().pointSizeF(), classic[i].second);
        }
        // Never smaller than the classic screen: the window's least size holds it whole.
        QCOMPARE(window_->minimumSize(), QSize(640, 480));
    }

    // At 2x the photograph is drawn from its copy of twice the size, pixel for pixel, not the
    // classic picture enlarged.
    void patientDrawnForTheScale() {
        showAt(2);
        LogIn(false);
        const QImage view = widget("PATIENTGraphic")->grab().toImage();
        QCOMPARE(view.size(), QSize(2 * kPatientViewSize, 2 * kPatientViewSize));
        const std::string photo =
            SetPictureNames(engine_->state.PictureSet, false, false).front().path;
        const int offset = kSetLayouts[engine_->state.PictureSet].pictureOffset;
        auto placed = [&](const std::string& name, int scale) {
            QImage file(QDir(program_.dir->path()).filePath(QString::fromStdString(name)));
            file.setDevicePixelRatio(1);
            QImage image(view.size(), QImage::Format_RGB32);
            image.fill(Qt::black);
            QPainter p(&image);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(QRect(2 * offset, 0, file.width() * 2 / scale, file.height() * 2 / scale),
                        file);
            return image;
        };
        const QRect body(40, 2 * 330, 2 * 300, 2 * 90);  // below the head: the photograph only
        QVERIFY(test::MeanDifference(view, placed(HighDensityName(photo), 2), body) < 0.25);
        QVERIFY(test::MeanDifference(view, placed(photo, 1), body) > 1.2);
    }

    // Size and place come back at the next start, and full screen too; F11 turns it on and off.
    void windowComesBackAsItWas() {
        window_->resize(900, 700);
        window_->move(40, 30);
        QTRY_COMPARE(window_->size(), QSize(900, 700));
        window_->close();
        QVERIFY(engine_->ended);
        program_.Stop();
        program_.Launch(clock_.get());
        window_ = program_.window.get();
        engine_ = program_.engine.get();
        QCOMPARE(window_->size(), QSize(900, 700));
        QCOMPARE(window_->pos(), QPoint(40, 30));

        QVERIFY(QTest::qWaitForWindowActive(window_));
        QAction* fullScreen = action("FullScreen");
        QCOMPARE(fullScreen->shortcut(), QKeySequence(Qt::Key_F11));
        QTest::keyClick(window_->windowHandle(), Qt::Key_F11);
        QTRY_VERIFY(window_->isFullScreen());
        QVERIFY(fullScreen->isChecked());
        QCOMPARE(window_->geometry(), window_->screen()->geometry());
        window_->close();
        program_.Stop();
        program_.Launch(clock_.get());
        window_ = program_.window.get();
        engine_ = program_.engine.get();
        QVERIFY(window_->isFullScreen());
        QVERIFY(action("FullScreen")->isChecked());
        QVERIFY(QTest::qWaitForWindowActive(window_));
        QTest::keyClick(window_->windowHandle(), Qt::Key_F11);
        QTRY_VERIFY(!window_->isFullScreen());
        QVERIFY(!action("FullScreen")->isChecked());
        QTRY_COMPARE(window_->size(), QSize(900, 700));

        // Kept in the user's configuration (here the test's own), not in the program directory.
        QVERIFY(QFile::exists(program_.config->filePath(QStringLiteral("Ardentix/Ardentix.conf"))));
        for (const QString& name : QDir(program_.dir->path()).entryList(QDir::Files)) {
            QFile file(QDir(program_.dir->path()).filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(!file.readAll().contains("geometry"), qPrintable(name));
        }
    }
};

QTEST_MAIN(ScalingTest)
#include "scaling_test.moc"
