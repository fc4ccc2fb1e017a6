// The patient view on a screen of twice the density (the test runs with QT_SCALE_FACTOR=2): the
// pictures' larger copies are drawn pixel for pixel at the places of the pictures, the pads are
// drawn for the screen, and a program directory without the copies draws the pictures enlarged.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cmath>

#include "core/elements.h"
#include "core/engine.h"
#include "core/patient_tables.h"
#include "core/picture_files.h"
#include "test_program.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"
#include "ui/pads_view.h"

using namespace ardentix;

class HighDensityTest : public QObject {
    Q_OBJECT

    test::TestProgram program_;

    void logIn() {
        ui::MainWindow* window = program_.window.get();
        QTest::mouseClick(window->Menu()->StartButton(), Qt::LeftButton);
        QDialog* login = test::TopDialog("TUserNAMEFORM");
        QTest::keyClicks(login->findChild<QLineEdit*>(QStringLiteral("NAMEEdit")),
                         QStringLiteral("Kim"));
        QTest::mouseClick(login->findChild<QRadioButton*>(QStringLiteral("Practicebutton")),
                          Qt::LeftButton);
        QTest::mouseClick(login->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
        QTRY_VERIFY(!login->isVisible());
    }

    // The patient view as the screen shows it, in the screen's pixels.
    QImage patientView() {
        auto* area = test::Child(program_.window.get(), "PATIENTGraphic");
        const QImage shot = area->grab().toImage();
        return shot.convertToFormat(QImage::Format_RGB32);
    }

    // A picture file as the build wrote it, pixel for pixel (an "@2x" name would otherwise make
    // it draw at half its size).
    static QImage mediaFile(const std::string& name) {
        QImage image(
            QDir(QStringLiteral(ARDENTIX_MEDIA_DIR)).filePath(QString::fromStdString(name)));
        image.setDevicePixelRatio(1);
        return image.convertToFormat(QImage::Format_RGB32);
    }

    // The photograph of the current set, its copy, and the part of the view below the head
    // (in screen pixels) where only the photograph is drawn.
    std::string photo() {
        return SetPictureNames(program_.engine->state.PictureSet, false, false).front().path;
    }
    QRect body() const { return {40, 2 * 330, 2 * 300, 2 * 90}; }

    // The copy of the photograph as the view places it: at the set's offset, in screen pixels.
    QImage placedDense() {
        const int offset = kSetLayouts[program_.engine->state.PictureSet].pictureOffset;
        QImage placed(2 * kPatientViewSize, 2 * kPatientViewSize, QImage::Format_RGB32);
        placed.fill(Qt::black);
        QPainter p(&placed);
        p.drawImage(2 * offset, 0, mediaFile(HighDensityName(photo())));
        return placed;
    }

  private slots:
    void init() {
        program_.Start();
        QCOMPARE(program_.window->devicePixelRatioF(), 2.0);
    }

    void cleanup() { program_.Stop(); }

    void drawsTheCopiesPixelForPixel() {
        logIn();
        const QImage view = patientView();
        QCOMPARE(view.size(), QSize(2 * kPatientViewSize, 2 * kPatientViewSize));
        QVERIFY(test::MeanDifference(view, placedDense(), body()) < 0.25);

        // The closed head: its copy, through the copy's own mask, where the photograph was.
        const Element& airway = program_.engine->screen.Get(El::AIRWAY);
        const QImage head = mediaFile(HighDensityName(
            SetPictureNames(program_.engine->state.PictureSet, false, false)[1].path));
        const QPoint middle(head.width() / 2, head.height() / 2);
        const QRect box(middle - QPoint(20, 20), QSize(40, 40));  // on the face
        QImage expected(view.size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter(&expected).drawImage(2 * airway.left, 2 * airway.top, head);
        QVERIFY(test::MeanDifference(view, expected,
                                     box.translated(2 * airway.left, 2 * airway.top)) < 0.5);
    }

    void drawsThePadsForTheScreen() {
        const QPixmap pad = ui::PadPicture(true, 2);
        QCOMPARE(pad.size(), QSize(104, 132));
        QCOMPARE(pad.devicePixelRatio(), 2.0);
        QCOMPARE(ui::PadPicture(false).size(), QSize(52, 66));
        logIn();
        auto* tray = test::Child(program_.window.get(), "PADWHITE");
        const QImage shot = tray->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shot.size(), QSize(104, 132));
        // Where the pad covers the tray, the screen shows the pad drawn in its own pixels, not
        // the small pad doubled.
        const QImage sharp = pad.toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage doubled = ui::PadPicture(true, 1).toImage().scaled(104, 132).convertToFormat(
            QImage::Format_ARGB32);
        int covered = 0, asDrawn = 0, asDoubled = 0;
        for (int y = 0; y < sharp.height(); ++y) {
            for (int x = 0; x < sharp.width(); ++x) {
                if (qAlpha(sharp.pixel(x, y)) < 255) continue;
                ++covered;
                asDrawn += shot.pixel(x, y) == sharp.pixel(x, y);
                asDoubled += shot.pixel(x, y) == doubled.pixel(x, y);
            }
        }
        QVERIFY(covered > 5000);
        QCOMPARE(asDrawn, covered);
        QVERIFY(asDoubled < covered);
    }

    // Without the copies (a program directory from an older installation) the pictures are
    // drawn enlarged: the view is whole, only softer than with the copies.
    void drawsThePicturesEnlargedWithoutTheCopies() {
        const QDir dir(program_.dir->path());
        for (const std::string& name : AllPictureFileNames())
            QVERIFY(QFile::remove(dir.filePath(QString::fromStdString(HighDensityName(name)))));
        logIn();
        const QImage view = patientView();
        QCOMPARE(view.size(), QSize(2 * kPatientViewSize, 2 * kPatientViewSize));
        const int offset = kSetLayouts[program_.engine->state.PictureSet].pictureOffset;
        QImage enlarged(view.size(), QImage::Format_RGB32);
        enlarged.fill(Qt::black);
        {
            QPainter p(&enlarged);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(QRect(2 * offset, 0, 2 * kPatientViewSize, 2 * kPatientViewSize),
                        mediaFile(photo()));
        }
        QVERIFY(test::MeanDifference(view, enlarged, body()) < 0.25);
        // The copy is really sharper: the enlarged picture is not what the copy shows.
        // (On every patient the enlarged picture lies 1.8 to 3 apart from the copy.)
        QVERIFY(test::MeanDifference(enlarged, placedDense(), body()) > 1.2);
    }
};

QTEST_MAIN(HighDensityTest)
#include "high_density_test.moc"
