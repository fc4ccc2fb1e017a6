// Printing on a machine without a printer: the user names a PDF file, and the page is read back
// with pdftotext. The report viewer's lines keep every character and their columns in any font
// the user chooses: a font too large for the page is shrunk to its width, with equal margins.
#include <QFontDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "test_program.h"
#include "ui/text_font.h"

using namespace ardentix;

namespace {

// The page margins of the program's print jobs, in points: 15 mm.
constexpr double kMargin = 15 / 25.4 * 72;

struct Word {
    QString text;
    double left, top, right, bottom;
    int page;
};

// The words of a PDF file and where they stand, in points from the top left of their page.
struct Printed {
    double width = 0;
    double height = 0;
    int pages = 0;
    QList<Word> words;

    // The first word with this text; a word of no size when there is none.
    Word find(const QString& text) const {
        for (const Word& w : words) {
            if (w.text == text) return w;
        }
        return {text, -1, -1, -1, -1, 0};
    }
    int count(const QString& text) const {
        int n = 0;
        for (const Word& w : words)
            n += w.text == text;
        return n;
    }
    double leftmost() const {
        double x = width;
        for (const Word& w : words)
            x = qMin(x, w.left);
        return x;
    }
    double rightmost() const {
        double x = 0;
        for (const Word& w : words)
            x = qMax(x, w.right);
        return x;
    }
};

Printed readPdf(const QString& pdf) {
    Printed printed;
    QProcess text;
    text.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
               {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished()) return printed;
    const QString boxes = QString::fromUtf8(text.readAllStandardOutput());
    static const QRegularExpression page(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"));
    static const QRegularExpression word(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    const QRegularExpressionMatch size = page.match(boxes);
    printed.width = size.captured(1).toDouble();
    printed.height = size.captured(2).toDouble();
    for (const QRegularExpressionMatch& m : word.globalMatch(boxes)) {
        if (m.captured(0) == QLatin1String("<page ")) {
            ++printed.pages;
            continue;
        }
        printed.words << Word{m.captured(5),
                              m.captured(1).toDouble(),
                              m.captured(2).toDouble(),
                              m.captured(3).toDouble(),
                              m.captured(4).toDouble(),
                              printed.pages};
    }
    return printed;
}

// A practice report whose widest line holds a score of three digits and the widest date.
const QStringList kReport = {
    QStringLiteral("Kim Lee           AB123456789012 31/12/26  00:42  01:05    400"),
    QStringLiteral("Ann               77             1/1/27    03:07  ----     -50"),
};

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

    test::TestProgram program_;

    void click(const char* name) {
        QTest::mouseClick(test::Child(program_.window.get(), name), Qt::LeftButton);
    }

    // The Report View tab with the report file opened in it.
    void openReport(const QStringList& lines) {
        const QString path = QDir(program_.dir->path()).filePath(QStringLiteral("AEDPRAC.TXT"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        file.close();
        click("OPTIONSImage");
        auto* pages = test::Child<QTabWidget>(program_.window.get(), "PageControl1");
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                          pages->tabBar()->tabRect(3).center());
        QCOMPARE(pages->currentIndex(), 3);
        test::ChooseFileAfter(path, [this] { click("REPORTOpenFile"); });
    }

    // The font chosen in the viewer's font dialog.
    void chooseFont(const QFont& font) {
        QTimer::singleShot(0, [font] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QFontDialog*>(w); dialog && dialog->isVisible()) {
                    dialog->setCurrentFont(font);
                    dialog->accept();
                }
            }
        });
        click("FONTBUTTON");
    }

    // Prints the viewer into a PDF file and reads it back.
    Printed print(const QString& name) {
        const QString pdf = QDir(program_.dir->path()).filePath(name);
        test::ChooseFileAfter(pdf, [this] { click("PRINTBUTTON"); });
        // To look at the page: ARDENTIX_PRINTED_DIR=DIR keeps a copy of each file.
        if (const QString keep = qEnvironmentVariable("ARDENTIX_PRINTED_DIR"); !keep.isEmpty()) {
            QFile::remove(QDir(keep).filePath(name));
            QFile::copy(pdf, QDir(keep).filePath(name));
        }
        return readPdf(pdf);
    }

    // Every word of the report's widest line on one printed line, each title over its column.
    static void checkColumns(const Printed& page) {
        QStringList missing;
        for (const QString& word : kReport[0].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (page.find(word).left < 0) missing << word;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
        const Word score = page.find(QStringLiteral("400"));
        QCOMPARE(page.find(QStringLiteral("Kim")).top, score.top);
        QVERIFY(qAbs(score.right - page.find(QStringLiteral("SCORE")).right) < 0.5);
        QVERIFY(qAbs(page.find(QStringLiteral("AB123456789012")).left -
                     page.find(QStringLiteral("ID")).left) < 0.5);
        QVERIFY(qAbs(page.find(QStringLiteral("31/12/26")).left -
                     page.find(QStringLiteral("DATE")).left) < 0.5);
        QVERIFY(qAbs(page.find(QStringLiteral("01:05")).left -
                     page.find(QStringLiteral("SHOCK1")).left) < 0.5);
        QVERIFY(page.leftmost() >= 0);
        QVERIFY(page.rightmost() <= page.width);
    }
    // The width of a character in the line from NAME to the end of SCORE, 62 characters.
    static double advance(const Printed& page) {
        return (page.find(QStringLiteral("SCORE")).right - page.find(QStringLiteral("NAME")).left) /
               62;
    }

  private slots:
    void init() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        program_.Start();
    }
    void cleanup() { program_.Stop(); }

    // In the viewer's own font the page is as it always was: the text at the left margin after
    // the 15 blanks of every printed line, in 10 points.
    void defaultFontPrintsAsItIs() {
        openReport(kReport);
        const Printed page = print(QStringLiteral("report-10.pdf"));
        checkColumns(page);
        if (QTest::currentTestFailed()) return;
        // The face's own advance at 10 points, measured large so that no pixel rounds it.
        QFont font = ui::TextFont(Font{"COURIER", 10});
        font.setPixelSize(1000);
        const double points = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0')) / 100;
        QVERIFY2(qAbs(advance(page) - points) < points * 0.02,
                 qPrintable(QStringLiteral("%1 %2").arg(advance(page)).arg(points)));
        QVERIFY(qAbs(page.find(QStringLiteral("NAME")).left - (kMargin + 15 * advance(page))) < 1);
        QCOMPARE(page.pages, 1);
    }

    // At 14 points the line of 15 blanks and 62 characters is wider than the page: the text is
    // as large as the page's width allows, every character is there, the columns hold, and the
    // margins left and right are the same.
    void largeFontShrinksToThePage() {
        openReport(kReport);
        const Printed small = print(QStringLiteral("report-10.pdf"));
        chooseFont(QFont(QStringLiteral("DejaVu Sans Mono"), 14));
        QCOMPARE(program_.engine->screen.Get(El::REPORTMEMO).fontSize, 14);
        const Printed page = print(QStringLiteral("report-14.pdf"));
        checkColumns(page);
        if (QTest::currentTestFailed()) return;
        const double printable = page.width - 2 * kMargin;
        const double expected = qMin(advance(small) * 1.4, printable / 62);
        QVERIFY2(qAbs(advance(page) - expected) < expected * 0.01,
                 qPrintable(QString::number(advance(page))));
        const double left = page.leftmost();
        const double right = page.width - page.rightmost();
        QVERIFY2(qAbs(left - right) < 2, qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
        QVERIFY(left >= kMargin - 1);
    }

    // A line that would need type smaller than 6 points is wrapped at a blank instead: every
    // word once, within the page, in 6 points; the report's own lines keep their columns.
    void overlongLineWraps() {
        QStringList words;
        for (int i = 1; i <= 80; ++i)
            words << QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0'));
        openReport(QStringList(kReport) << words.join(QLatin1Char(' ')));
        const Printed page = print(QStringLiteral("overlong-10.pdf"));
        checkColumns(page);
        if (QTest::currentTestFailed()) return;
        for (const QString& word : words) {
            QCOMPARE(page.count(word), 1);
            QVERIFY2(page.find(word).right <= page.width - kMargin + 1, qPrintable(word));
        }
        // Wrapped onto more than one line, each piece from the same left edge.
        const Word first = page.find(words.first());
        const Word last = page.find(words.last());
        QVERIFY(last.top > first.top);
        QVERIFY(page.leftmost() >= kMargin - 1);
        QVERIFY(qAbs(first.left - page.find(QStringLiteral("Kim")).left) < 0.5);
        // 6 points: the face's advance is 0.6 of its size, give or take its design.
        const double perCharacter = (first.right - first.left) / 4;
        QVERIFY2(perCharacter > 6 * 0.55 && perCharacter < 6 * 0.65,
                 qPrintable(QString::number(perCharacter)));
    }

    // A report longer than a page at 14 points: pages break when full, and every line is
    // printed once, within its page.
    void largeFontBreaksPages() {
        QStringList lines;
        for (int i = 1; i <= 120; ++i)
            lines << QStringLiteral("Kim Lee           ID%1         31/12/26  00:42  01:05    400")
                         .arg(i, 4, 10, QLatin1Char('0'));
        openReport(lines);
        chooseFont(QFont(QStringLiteral("DejaVu Sans Mono"), 14));
        const Printed page = print(QStringLiteral("long-14.pdf"));
        QVERIFY(page.pages >= 2);
        for (int i = 1; i <= 120; ++i) {
            const QString id = QStringLiteral("ID%1").arg(i, 4, 10, QLatin1Char('0'));
            QCOMPARE(page.count(id), 1);
            const Word w = page.find(id);
            QVERIFY2(w.bottom <= page.height - kMargin + 1, qPrintable(id));
        }
        QCOMPARE(page.count(QStringLiteral("400")), 120);
        QVERIFY(page.rightmost() <= page.width - kMargin + 1);
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
