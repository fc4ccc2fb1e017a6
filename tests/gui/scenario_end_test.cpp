// The windows of a scenario's end on the offscreen platform: the panel of final deductions, the
// summary and the scoreboard show what the screen model holds, and their buttons reach the engine.
// The model is written here as the end of a scenario writes it.
#include <QDialog>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "core/engine.h"
#include "test_program.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"

using namespace ardentix;

namespace {

QStringList warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg) warnings << message;
}

QStringList qLines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list;
}

// A scoreboard entry in its columns: name in 15 from column 2, date right-aligned in 8, the score
// right-aligned in 5 at column 31.
std::string entry(const std::string& name, const std::string& date, int score) {
    std::string s = std::to_string(score);
    return "  " + (name + std::string(15, ' ')).substr(0, 15) + std::string(8 - date.size(), ' ') +
           date + std::string(6, ' ') + std::string(5 - s.size(), ' ') + s;
}

}  // namespace

class ScenarioEndTest : public QObject {
    Q_OBJECT

    test::TestProgram program_;
    Engine* engine_ = nullptr;
    ui::MainWindow* window_ = nullptr;

    // The engine writes the model; the windows follow it at the end of the event.
    void model(const std::function<void(Screen&)>& write) {
        window_->Dispatch([this, write] { write(engine_->screen); });
    }
    // The text of the box a click brings up; the box is closed.
    QString boxAfter(const std::function<void()>& click) {
        QString text;
        QTimer::singleShot(0, [&text] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    text = box->text();
                    box->accept();
                }
            }
        });
        click();
        return text;
    }
    // Print Report on a machine without a printer: the user names a PDF file, and the page holds
    // the title, the trainee, the results and the signature line below them.
    void printTestReportToPdf(QWidget* summary) {
        model([](Screen& s) {
            s.Edit(ElementCalled("OPTIONSHOLD")).lines = {
                "Kim                              12/6/26   00:00  ----    -300", ""};
        });
        engine_->ScriptState().UserName = "Kim";
        const QString pdf = QDir(program_.dir->path()).filePath(QStringLiteral("series.pdf"));
        test::ChooseFileAfter(pdf, [summary] {
            QTest::mouseClick(test::Child<QPushButton>(summary, "CODESUMPrintReport"),
                              Qt::LeftButton);
        });
        QVERIFY(QFile::exists(pdf));
        // To look at the page: ARDENTIX_PRINTED_PDF=FILE keeps a copy.
        if (const QString keep = qEnvironmentVariable("ARDENTIX_PRINTED_PDF"); !keep.isEmpty()) {
            QFile::remove(keep);
            QFile::copy(pdf, keep);
        }
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
        // Where each word stands on the page: pdftotext's boxes, in points from the top.
        QProcess text;
        text.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString boxes = QString::fromUtf8(text.readAllStandardOutput());
        const auto wordAt = [&boxes](const QString& word) {
            const QString pattern = QStringLiteral(
                "<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\"[^>]*>%1</word>");
            const QRegularExpression box(pattern.arg(QRegularExpression::escape(word)));
            const QRegularExpressionMatch m = box.match(boxes);
            // The word's right edge and its top.
            return m.hasMatch() ? QPointF(m.captured(2).toDouble(), m.captured(1).toDouble())
                                : QPointF(-1, -1);
        };
        QVERIFY(wordAt(QStringLiteral("Report")).y() >= 0);
        const QPointF heading = wordAt(QStringLiteral("SCORE"));
        const QPointF result = wordAt(QStringLiteral("-300"));
        const QPointF signature = wordAt(QStringLiteral("Signature"));
        QVERIFY(result.y() > heading.y());
        // The score ends under the end of its heading: the columns are in a fixed-pitch face.
        QVERIFY2(qAbs(result.x() - heading.x()) < 1.0, qPrintable(boxes));
        // The signature stands below the 47 lines of the result area, near the foot of the page.
        QVERIFY2(signature.y() > result.y() + 45 * 9, qPrintable(boxes));
    }

    // The engine was asked for the scoreboard's OK: it hid the window, or it does not know the
    // button yet and the window said so.
    bool scoreboardOkSent(QDialog* scoreboard) {
        const bool hidden =
            !engine_->screen.Get(El::ScoreboardWindow).visible && !scoreboard->isVisible();
        return hidden ||
               warnings.contains(QStringLiteral("The engine has no control TScoreboard.OKButton"));
    }

  private slots:
    void init() {
        program_.Start();
        if (QTest::currentTestFailed()) return;
        engine_ = program_.engine.get();
        window_ = program_.window.get();
    }

    void cleanup() { program_.Stop(); }

    void endOfAScenario() {
        window_->Click(ElementCalled("MenuStart"));
        window_->Type(ElementCalled("TUserNAMEFORM.NAMEEdit"), QStringLiteral("Kim Lee"));
        window_->Click(ElementCalled("TUserNAMEFORM.Practicebutton"));
        window_->Click(ElementCalled("TUserNAMEFORM.OKBtn"));
        QVERIFY(!window_->Menu()->isVisible());

        // The final deductions: three lines, the button 12 pixels a line plus 27 below the list's
        // top, the panel 12 pixels below the button.
        const std::vector<std::string> deductions = {
            "Did not check pulse when advised (-50).",
            "Did not check breathing after pulse established (-50).",
            "Did not complete required steps (-300)."};
        model([&](Screen& s) {
            s.Edit(ElementCalled("finalMSGdisplay")).lines = deductions;
            s.Edit(ElementCalled("finalMSGdisplay")).top = 8;
            s.Edit(ElementCalled("finalMSGdisplay")).height = 12 * 3 + 15;
            s.Edit(ElementCalled("FinalErrorOKButton")).top = 8 + 36 + 27;
            s.Edit(ElementCalled("FinalErrorOKButton")).height = 25;
            Element& panel = s.Edit(ElementCalled("FINALERRORPanel"));
            panel.visible = true;
            panel.left = 140;
            panel.top = 100;
            panel.width = 360;
            panel.height = 71 + 25 + 12;
        });
        auto* panel = test::Child<QFrame>(window_, "FINALERRORPanel");
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->geometry(), QRect(140, 100, 360, 108));
        // Nothing of the scenario screen lies over it.
        QWidget* screen = panel->parentWidget();
        QWidget* top = screen->childAt(panel->geometry().center());
        QVERIFY(top == panel || panel->isAncestorOf(top));
        auto* list = test::Child<QListWidget>(panel, "finalMSGdisplay");
        QCOMPARE(list->y(), 8);
        QCOMPARE(list->count(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(list->item(i)->text(), QString::fromStdString(deductions[i]));
            const QRect line = list->visualItemRect(list->item(i));
            QCOMPARE(line.height(), 12);
            QVERIFY2(list->viewport()->rect().contains(line), "a line is cut off");
        }
        auto* ok = test::Child<QPushButton>(panel, "FinalErrorOKButton");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry().top(), 71);
        QCOMPARE(ok->height(), 25);
        QVERIFY(panel->rect().contains(ok->geometry()));
        QVERIFY(list->geometry().bottom() < ok->geometry().top());
        QTest::mouseClick(ok, Qt::LeftButton);
        QDialog* summary = test::TopDialog("TForm2");
        QVERIFY(summary->isVisible());  // the engine took the click and brought up the summary

        // The summary shows the result as the engine holds it.
        std::vector<std::string> errors;
        for (int i = 1; i <= 14; ++i)
            errors.push_back("Protocol note " + std::to_string(i) + " (-10).");
        errors.push_back("(End of Test)");
        model([&](Screen& s) {
            s.Edit(ElementCalled("FINALERRORPanel")).visible = false;
            s.Edit(ElementCalled("TForm2.IDEDIT")).text = "A-17";
            s.Edit(ElementCalled("TForm2.SCOREEDIT")).text = "-150";
            s.Edit(ElementCalled("TForm2.ElapsedTimeEDIT")).text = "03:07";
            s.Edit(ElementCalled("TForm2.SHOCKTIMEEDIT")).text = "01:12";
            s.Edit(ElementCalled("TForm2.Errors")).lines = errors;
            s.Edit(ElementCalled("TForm2.MODELABEL")).text = "TEST MODE";
            s.Edit(ElementCalled("TForm2.RepeatButton")).enabled = false;
            s.Edit(ElementCalled("TForm2.CODESUMSENDbutton")).visible = true;
            s.Edit(ElementCalled("TForm2.CODESUMPrintReport")).visible = true;
        });
        QVERIFY(!panel->isVisible());
        QCOMPARE(summary->windowTitle(), QStringLiteral("Scenario Summary"));
        QVERIFY(!(summary->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                                            Qt::WindowMinMaxButtonsHint)));
        QVERIFY(!window_->centralWidget()->isEnabled());
        QVERIFY(!window_->menuBar()->isEnabled());
        const std::pair<const char*, const char*> fields[] = {
            {"NAMEEDIT", "Kim Lee"},      {"IDEDIT", "A-17"},         {"SCOREEDIT", "-150"},
            {"ElapsedTimeEDIT", "03:07"}, {"SHOCKTIMEEDIT", "01:12"},
        };
        for (const auto& [name, value] : fields) {
            auto* field = test::Child<QLineEdit>(summary, name);
            QCOMPARE(field->text(), QString::fromLatin1(value));
            QVERIFY2(field->isReadOnly() && field->isVisible(), name);
        }
        QStringList captions;
        for (auto* label : summary->findChildren<QLabel*>())
            captions << label->text();
        for (const char* caption : {"Name", "ID Number", "Score", "Elapsed Time", "First Shock",
                                    "Protocol Errors/Notes", "TEST MODE"}) {
            QVERIFY2(captions.contains(QString::fromLatin1(caption)), caption);
        }
        auto* errorList = test::Child<QListWidget>(summary, "Errors");
        QStringList shown;
        for (int i = 0; i < errorList->count(); ++i)
            shown << errorList->item(i)->text();
        QCOMPARE(shown, qLines(errors));
        QVERIFY(errorList->verticalScrollBar()->maximum() > 0);  // more lines than room: it scrolls
        for (const char* name : {"Next", "MainMenu", "QUIT", "SCOREBOARD", "CODESUMSENDbutton",
                                 "CODESUMPrintReport"}) {
            auto* button = test::Child<QPushButton>(summary, name);
            QVERIFY2(button->isVisible() && button->isEnabled(), name);
        }
        QVERIFY(test::Child<QPushButton>(summary, "RepeatButton")->isVisible());
        QVERIFY(!test::Child<QPushButton>(summary, "RepeatButton")->isEnabled());
        QCOMPARE(summary->focusWidget(), test::Child<QPushButton>(summary, "MainMenu"));
        printTestReportToPdf(summary);
        // Send Report with e-mail on and nothing configured: the trainee is told, and the e-mail
        // window comes up over the summary, which waits for it.
        engine_->settings.SetOn(Opt::OPTEmail, true);
        engine_->ScriptState().TestScenarioCount = 255;
        QCOMPARE(boxAfter([&] {
                     QTest::mouseClick(test::Child<QPushButton>(summary, "CODESUMSENDbutton"),
                                       Qt::LeftButton);
                 }),
                 QStringLiteral("The e-mail configuration information under Test Options has not "
                                "be set. You must enter the e-mail address information."));
        QVERIFY(!test::Child<QPushButton>(summary, "CODESUMSENDbutton")->isVisible());
        auto* mail = window_->findChild<QDialog*>(QStringLiteral("TFRMSEND"));
        QVERIFY(mail && mail->isVisible());
        QCOMPARE(mail->windowTitle(), QStringLiteral("Send Test Results (email)"));
        QVERIFY(!summary->isEnabled());
        QCOMPARE(QApplication::activeModalWidget(), mail);
        auto* connect = test::Child<QPushButton>(mail, "CONNECTButton");
        QCOMPARE(connect->text(), QStringLiteral("1. Connect"));
        QVERIFY(connect->font().bold());
        QVERIFY(!test::Child<QPushButton>(mail, "EMAILSENDBUTTON")->font().bold());
        QVERIFY(!test::Child<QPushButton>(mail, "ADDButton")->isVisible());
        // "3. Close" offers the unsent report for saving; No closes the window.
        QString asked;
        QTimer::singleShot(0, [&asked] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    asked = box->text();
                    box->button(QMessageBox::No)->click();
                }
            }
        });
        QTest::mouseClick(test::Child<QPushButton>(mail, "TClose"), Qt::LeftButton);
        QCOMPARE(asked, QStringLiteral("The report file was not sent. Do you want to save the "
                                       "file to send later?"));
        QVERIFY(!mail->isVisible());
        QVERIFY(summary->isEnabled());
        // The window system cannot take it away and leave the main window waiting.
        summary->close();
        QVERIFY(summary->isVisible());

        // The scoreboard over the summary, which waits for it.
        const std::vector<std::string> board = {
            "  name            date          score", " ", entry("Kim Lee", "12/6/26", 1310),
            entry("Alexandra Montgomery", "1/10/27", 300), entry("Li", "10/10/26", -50)};
        model([&](Screen& s) {
            s.Edit(ElementCalled("TScoreboard.Memo1")).lines = board;
            s.Edit(ElementCalled("TScoreboard")).visible = true;
            s.Edit(ElementCalled("TForm2")).enabled = false;
        });
        QDialog* scoreboard = test::TopDialog("TScoreboard");
        QVERIFY(scoreboard->isVisible());
        QCOMPARE(scoreboard->windowTitle(), QStringLiteral("Scoreboard - top 10 scores"));
        QVERIFY(scoreboard->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!summary->isEnabled());
        QVERIFY(summary->isVisible());
        QVERIFY(scoreboard->isEnabled());
        auto* memo = test::Child<QPlainTextEdit>(scoreboard, "Memo1");
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->toPlainText(), qLines(board).join(QLatin1Char('\n')));
        QVERIFY(QFontInfo(memo->font()).fixedPitch());
        // Where a column of each entry is drawn: name, date and score line up, and the whole
        // entry is in view.
        auto columnX = [memo](int line, int column) {
            QTextCursor cursor(memo->document()->findBlockByNumber(line));
            cursor.setPosition(cursor.position() + column);
            return memo->cursorRect(cursor).x();
        };
        for (int column : {2, 17, 31, 36}) {
            for (int line = 3; line < 5; ++line)
                QCOMPARE(columnX(line, column), columnX(2, column));
        }
        QVERIFY(columnX(2, 36) < memo->viewport()->width());
        auto* boardOk = test::Child<QPushButton>(scoreboard, "OKButton");
        warnings.clear();
        const QtMessageHandler before = qInstallMessageHandler(keepWarnings);
        QTest::mouseClick(boardOk, Qt::LeftButton);
        const bool okSent = scoreboardOkSent(scoreboard);
        // Its close box is its OK.
        warnings.clear();
        scoreboard->close();
        const bool closeSent = scoreboardOkSent(scoreboard);
        qInstallMessageHandler(before);
        QVERIFY(okSent);
        QVERIFY(closeSent);
        model([](Screen& s) {
            s.Edit(ElementCalled("TScoreboard")).visible = false;
            s.Edit(ElementCalled("TForm2")).enabled = true;
        });
        QVERIFY(!scoreboard->isVisible());
        QVERIFY(summary->isEnabled());
        QVERIFY(summary->isVisible());

        // From the main menu it stacks as other windows do.
        QTest::mouseClick(test::Child<QPushButton>(summary, "MainMenu"), Qt::LeftButton);
        QVERIFY(window_->Menu()->isVisible());
        model([](Screen& s) { s.Edit(ElementCalled("TScoreboard")).visible = true; });
        QVERIFY(scoreboard->isVisible());
        QVERIFY(!(scoreboard->windowFlags() & Qt::WindowStaysOnTopHint));
    }
};

QTEST_MAIN(ScenarioEndTest)
#include "scenario_end_test.moc"
