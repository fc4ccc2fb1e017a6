#include "ui/option_pages.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/screen.h"
#include "ui/actions.h"
#include "ui/binder.h"
#include "ui/option_controls.h"
#include "ui/progress_tab.h"

namespace ardentix::ui {

namespace {

const QString kCloseHint = QStringLiteral("Closes the options; asks whether to save a change");
const QString kCancelHint = QStringLiteral("Closes the options and forgets every change");
const QString kDefaultHint = QStringLiteral("Sets the options of this tab to their defaults");

// The row of buttons at the foot of a tab: some on the left, Close and Cancel on the right.
QHBoxLayout* buttonRow(std::initializer_list<QWidget*> left,
                       std::initializer_list<QWidget*> right) {
    auto* row = new QHBoxLayout;
    for (QWidget* button : left)
        row->addWidget(button);
    row->addStretch(1);
    for (QWidget* button : right)
        row->addWidget(button);
    return row;
}

// The application's own colours, each one set so that none comes from the black client area.
QPalette standardPalette() {
    const QPalette app = QApplication::palette();
    QPalette palette;
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto group = static_cast<QPalette::ColorGroup>(g);
            const auto role = static_cast<QPalette::ColorRole>(r);
            palette.setBrush(group, role, app.brush(group, role));
        }
    }
    return palette;
}

QLabel* label(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* caption = new QLabel(text, parent);
    caption->setBuddy(buddy);
    // A screen reader finds a label's field only beside it: a field in a box of its own with its
    // arrows takes the label's words as its name.
    if (buddy->accessibleName().isEmpty())
        buddy->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return caption;
}

}  // namespace

OptionPages::OptionPages(Actions& actions, Binder& binder, const QString& programDir,
                         std::function<CentreUri()> centre, QWidget* parent)
    : QTabWidget(parent), actions_(actions), binder_(binder) {
    setObjectName(ObjectName(El::PageControl1));
    // The pages look like a dialog, not like the black screen under them.
    setPalette(standardPalette());
    setAutoFillBackground(true);
    binder_.Bind(El::PageControl1, this, Binder::Visible);
    following_ = true;
    addTab(scenarioTab(), QStringLiteral("Scenario"));
    addTab(protocolTab(), QStringLiteral("Protocol"));
    addTab(testTab(), QStringLiteral("Test"));
    addTab(reportTab(), QStringLiteral("Report View"));
    addTab(progressTab(programDir, std::move(centre)), QStringLiteral("Progress"));
    following_ = false;
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (!following_) actions_.Tab(tabText(index));
    });
    hide();
}

void OptionPages::Follow(const Screen& screen) {
    const QString caption = QString::fromStdString(screen.Get(El::PageControl1).text);
    for (int i = 0; i < count(); ++i) {
        if (tabText(i) != caption || i == currentIndex()) continue;
        following_ = true;
        setCurrentIndex(i);
        following_ = false;
    }
}

QWidget* OptionPages::newPage(const char* name, int helpContext) {
    auto* page = new QWidget(this);
    page->setObjectName(QString::fromLatin1(name));
    page->setProperty("helpContext", helpContext);
    return page;
}

QWidget* OptionPages::scenarioTab() {
    QWidget* page = newPage("ScenarioSheet", 170);
    OptionControls c(actions_, binder_, page);
    QGroupBox* abcs = c.Group(
        QStringLiteral("ABCs"),
        {c.CheckBox(El::OPTautoABCS,
                    QStringLiteral("The ABCs menu offers Auto ABCs, every ABC step at once")),
         c.CheckBox(El::OptBVM, QStringLiteral("Breaths are given with a bag-valve mask")),
         c.CheckBox(
             El::OPTOneRescuer,
             QStringLiteral("One rescuer on the scene: CPR may start before the ABCs are done")),
         c.CheckBox(El::OPTCALL911, QStringLiteral("The trainee must phone for help")),
         c.CheckBox(El::Opt2CPR, QStringLiteral("Five compressions to each breath")),
         c.CheckBox(El::OPTCOMPRVENT,
                    QStringLiteral("Asks for the compressions and breaths of CPR")),
         c.CheckBox(El::OPTCPRTIME, QStringLiteral("Asks for the seconds of CPR to give"))});
    QGroupBox* program = c.Group(
        QStringLiteral("Program"),
        {c.CheckBox(El::SOUNDCheckBox, QStringLiteral("Plays the AED's voice and sounds")),
         c.CheckBox(El::IDNumCheckBox, QStringLiteral("Asks each trainee for an ID number")),
         c.CheckBox(El::OPTSCREENSIZE,
                    QStringLiteral("Covers the rest of the screen behind the program")),
         c.CheckBox(El::OPTCaptions,
                    QStringLiteral("Shows each voice prompt and sound of the AED as a caption "
                                   "under it"))});
    QGroupBox* patient =
        c.Group(QStringLiteral("Patient"),
                {c.CheckBox(El::OPTOneShockScenario,
                            QStringLiteral("Every patient is an adult who needs one shock")),
                 c.CheckBox(El::OPTPEDScen, QStringLiteral("Patients may be children")),
                 c.CheckBox(El::OptHypo, QStringLiteral("Patients may be hypothermic"))});
    QGroupBox* aed = c.Group(
        ObjectName(El::AED),
        {c.CheckBox(El::OPTTWOBUTTONAED,
                    QStringLiteral("The AED has only the power and shock buttons")),
         c.CheckBox(El::OPTAUTOANALYZE, QStringLiteral("The AED analyzes once the pads are on"))});

    auto* odds = new QWidget(page);
    QLineEdit* oddsField = nullptr;
    auto* oddsRow = new QHBoxLayout(odds);
    oddsRow->setContentsMargins(0, 4, 0, 0);
    oddsRow->addWidget(
        c.Number(El::OptTroubleOdds, El::SpinButton11,
                 QStringLiteral("Percent of scenarios with an AED fault; 0 for none"), &oddsField));
    oddsRow->addWidget(label(QStringLiteral("Percent"), oddsField, odds), 1);
    QGroupBox* trouble = c.Group(
        QStringLiteral("Troubleshoot"),
        {c.CheckBox(El::OptBatteryTrouble, QStringLiteral("The AED's battery may run down")),
         c.CheckBox(El::OptElectrodeTrouble, QStringLiteral("An electrode may come loose")),
         c.CheckBox(El::OptMOTIONTrouble, QStringLiteral("The AED may sense motion")), odds});

    auto* password = new QLineEdit(page);
    password->setObjectName(ObjectName(El::PASSWORD));
    SetHint(password,
            QStringLiteral("Prevents unauthorized users from accessing program and protocol "
                           "options"));
    binder_.Bind(El::PASSWORD, password, Binder::Text | Binder::Visible | Binder::Enabled);
    connect(password, &QLineEdit::textEdited, this,
            [this](const QString& text) { actions_.Type(El::PASSWORD, text); });
    QPushButton* show =
        c.Button(El::PASSWORDBUTTON, QStringLiteral("Click this button to show/hide the current "
                                                    "password."));
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(password, 1);
    passwordRow->addWidget(show);

    auto* left = new QVBoxLayout;
    left->addWidget(abcs);
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(patient);
    middle->addWidget(aed);
    middle->addWidget(program);
    middle->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(trouble);
    right->addSpacing(8);
    right->addWidget(label(QStringLiteral("&Password"), password, page));
    right->addLayout(passwordRow);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(columns, 1);
    layout->addLayout(resultsDatabase(c, page));
    layout->addLayout(buttonRow(
        {c.Button(El::PROGRAMDefaultButton, kDefaultHint),
         c.Button(El::CLEARSCOREBOARD, QStringLiteral("Erases scores on current scoreboard"))},
        {c.Button(El::ProgramOK, kCloseHint), c.Button(El::ButtonCANCEL1, kCancelHint)}));
    return page;
}

// Where the results are kept: this computer's database, or a centre's PostgreSQL server (with a
// copy kept here). The button beside the group sends what waits; the line under it says how
// the sending went.
QLayout* OptionPages::resultsDatabase(OptionControls& c, QWidget* page) {
    QLineEdit* uri = c.Text(El::OPTCentreURI,
                            QStringLiteral("The centre's PostgreSQL server; its password comes "
                                           "from this computer's .pgpass file, never from here"));
    uri->setPlaceholderText(QStringLiteral("postgresql://user@host:port/database"));
    auto* choice = new QHBoxLayout;
    choice->addWidget(
        c.Radio(El::OPTResultsLocal,
                QStringLiteral("The results are kept in ARDENTIX.DB on this computer")));
    choice->addWidget(c.Radio(El::OPTResultsCentre,
                              QStringLiteral("The results go to the centre server, a copy stays "
                                             "on this computer")));
    choice->addWidget(uri, 1);
    choice->setContentsMargins(6, 4, 6, 4);
    auto* group = new QGroupBox(QStringLiteral("Results database"), page);
    group->setLayout(choice);

    centreSend_ = new QPushButton(QStringLiteral("Send waiting results"), page);
    centreSend_->setObjectName(QStringLiteral("CentreSendButton"));
    SetHint(centreSend_, QStringLiteral("Sends the results waiting on this computer to the centre "
                                        "server now"));
    centreStatus_ = new QLabel(page);
    centreStatus_->setObjectName(QStringLiteral("CentreStatus"));
    centreStatus_->setTextFormat(Qt::PlainText);
    // A long reason is cut at the page's edge; the whole of it shows as the line's tool tip.
    centreStatus_->setMinimumWidth(1);
    centreStatus_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* row = new QHBoxLayout;
    row->addWidget(group, 1);
    row->addWidget(centreSend_, 0, Qt::AlignBottom);
    auto* band = new QVBoxLayout;
    band->setSpacing(2);
    band->addLayout(row);
    band->addWidget(centreStatus_);
    return band;
}

QWidget* OptionPages::protocolTab() {
    QWidget* page = newPage("ProtocolSheet", 150);
    OptionControls c(actions_, binder_, page);

    auto* parameters = new QGroupBox(QStringLiteral("Protocol Parameters"), page);
    auto* grid = new QGridLayout(parameters);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(4);
    int row = 0;
    const auto addRow = [&](const QString& text, El field, El spin, const QString& hint) {
        QLineEdit* edit = nullptr;
        QWidget* number = c.Number(field, spin, hint, &edit);
        QLabel* caption = label(text, edit, parameters);
        // A field the guidelines fix is greyed with its caption.
        binder_.Bind(field, caption, Binder::Enabled);
        grid->addWidget(caption, row, 0);
        grid->addWidget(number, row++, 1);
    };
    addRow(QStringLiteral("Hypothermic maximum (shocks)"), El::OptHypoShocks, El::SpinButton5,
           QStringLiteral("Most shocks given to a hypothermic patient"));
    addRow(QStringLiteral("Pediatric minimum"), El::OptMinimumAge, El::SpinButton6,
           QStringLiteral("The smallest pediatric patient, in years or pounds as chosen below"));
    auto* units = new QHBoxLayout;
    units->setContentsMargins(12, 0, 0, 0);
    units->addWidget(c.Radio(El::Age, QStringLiteral("The pediatric minimum is an age")));
    units->addWidget(c.Radio(El::Weight, QStringLiteral("The pediatric minimum is a weight")));
    units->addStretch(1);
    grid->addLayout(units, row++, 0, 1, 2);
    addRow(QStringLiteral("CPR period prior to analyzing (seconds)"), El::OptCPR0Length,
           El::SpinButton0, QStringLiteral("Seconds of CPR before the first analysis"));
    addRow(QStringLiteral("CPR 1 (seconds)"), El::OptCPR1Length, El::SpinButton1,
           QStringLiteral("Seconds of CPR after a no-shock result or three shocks"));
    addRow(QStringLiteral("CPR 2 (seconds)"), El::OptCPR2Length, El::SpinButton2,
           QStringLiteral(
               "Seconds of CPR after the first analysis and the other cases; 0 uses CPR 1"));
    addRow(QStringLiteral("CPR countdown timer speed (% of normal)"), El::OPTCPRCOMP,
           El::SpinButton7,
           QStringLiteral("How fast the CPR countdown runs; 100 counts real seconds"));
    grid->setRowStretch(row, 1);

    QGroupBox* options = c.Group(
        QStringLiteral("Protocol Options"),
        {c.CheckBox(
             El::OPTPEDSMONITOR,
             QStringLiteral("The AED may be attached to a child under the minimum, to monitor")),
         c.CheckBox(El::OPTBPCHECK, QStringLiteral("Expects a blood pressure check")),
         c.CheckBox(El::OptVoice, QStringLiteral("Scores the trainee's voice report")),
         c.CheckBox(El::OptPulseAfterCPR, QStringLiteral("Expects a pulse check after CPR")),
         c.CheckBox(El::OptPulseAfter3rdShock,
                    QStringLiteral("Expects a pulse check after three shocks in a row")),
         c.CheckBox(El::OPTCLEARShock, QStringLiteral("Expects everyone clear before a shock")),
         c.CheckBox(El::OPTClearAnalyze,
                    QStringLiteral("Expects everyone clear before an analysis"))});

    // The guidelines scored; the current ones disable the controls they fix and offer
    // compressions by key.
    QGroupBox* guidelines = c.Group(
        QStringLiteral("Guidelines"),
        {c.Radio(El::OPTGuideClassic,
                 QStringLiteral("Stacked shocks with pulse checks, CPR periods as set here")),
         c.Radio(El::OPTGuideCurrent,
                 QStringLiteral("Compressions first, 30:2, one shock followed by two minutes of "
                                "CPR")),
         c.CheckBox(El::OPTCompressByKey,
                    QStringLiteral("Under the current guidelines each compression is a press of "
                                   "the Space bar, its rate shown"))});

    auto* right = new QVBoxLayout;
    right->addWidget(options);
    right->addWidget(guidelines);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(parameters);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(columns);
    layout->addStretch(1);
    layout->addLayout(buttonRow(
        {c.Button(El::PROTOCOLDefaultButton, kDefaultHint)},
        {c.Button(El::ProtocolOK, kCloseHint), c.Button(El::ButtonCANCEL2, kCancelHint)}));
    return page;
}

QWidget* OptionPages::testTab() {
    QWidget* page = newPage("TestSheet", 220);
    OptionControls c(actions_, binder_, page);

    auto* config = new QGroupBox(QStringLiteral("Test Configuration"), page);
    auto* column = new QVBoxLayout(config);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(2);
    QLineEdit* count = nullptr;
    QWidget* number = c.Number(El::OPTtestScenarios, El::SpinButtonTESTSCEN,
                               QStringLiteral("Scenarios in one test"), &count);
    QLabel* countLabel = label(QStringLiteral("Test scenarios"), count, config);
    countLabel->setObjectName(QStringLiteral("TESTScenLABEL"));
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(countLabel);
    countRow->addSpacing(6);
    countRow->addWidget(number);
    countRow->addStretch(1);
    column->addLayout(countRow);
    column->addSpacing(4);
    column->addWidget(c.CheckBox(El::OPTEmail, QStringLiteral("A test report can be e-mailed")));
    column->addWidget(
        c.CheckBox(El::OPTAUTOSend, QStringLiteral("Each test report is e-mailed at once")));
    column->addWidget(c.CheckBox(El::OPTDetailedTestReport,
                                 QStringLiteral("Test reports list each scenario's errors")));
    // Never offered: bound so that they stay hidden.
    column->addWidget(c.CheckBox(El::OPTFTP, QStringLiteral("Sends test reports by FTP")));
    column->addWidget(c.CheckBox(El::OPTEncrypt, QStringLiteral("Encrypts test reports")));
    column->addSpacing(4);
    column->addWidget(new QLabel(QStringLiteral("* Requires Internet connection"), config));
    auto* configure = new QHBoxLayout;
    configure->addWidget(
        c.Button(El::eMailCONFIGURE, QStringLiteral("Sets up the e-mail account for reports")));
    configure->addWidget(
        c.Button(El::FTPConfigure, QStringLiteral("Sets up the FTP server for reports")));
    configure->addStretch(1);
    column->addSpacing(4);
    column->addLayout(configure);

    // The xAPI statements of the results for a learning record store: a dialog of their own.
    auto* lrs = new QGroupBox(QStringLiteral("Learning Record Store (xAPI)"), page);
    auto* lrsColumn = new QVBoxLayout(lrs);
    lrsButton_ = new QPushButton(QStringLiteral("LRS Configure"), lrs);
    lrsButton_->setObjectName(QStringLiteral("LrsConfigure"));
    SetHint(lrsButton_, QStringLiteral("Sets up the learning record store the results are sent "
                                       "to, and exports them as xAPI statements"));
    lrsColumn->addWidget(lrsButton_);
    lrsColumn->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(config);
    top->addWidget(lrs, 0, Qt::AlignTop);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addStretch(1);
    layout->addLayout(
        buttonRow({c.Button(El::TESTDEFAULT, kDefaultHint)},
                  {c.Button(El::TESTCLOSE, kCloseHint), c.Button(El::ButtonCANCEL3, kCancelHint)}));
    return page;
}

QWidget* OptionPages::reportTab() {
    QWidget* page = newPage("ReportSheet", 160);
    OptionControls c(actions_, binder_, page);
    // The report as text to read: it may be edited, but nothing is ever saved.
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(ObjectName(El::REPORTMEMO));
    memo->setAccessibleName(QStringLiteral("Report"));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    binder_.Bind(El::REPORTMEMO, memo, Binder::Lines | Binder::Font);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(memo, 1);
    layout->addLayout(buttonRow(
        {c.Button(El::REPORTOpenFile,
                  QStringLiteral("Opens a file to be displayed in the above screen")),
         c.Button(El::FONTBUTTON, QStringLiteral("Use to select font for displaying a report (use "
                                                 "a monospace fonts such as Courier)")),
         c.Button(El::PRINTBUTTON,
                  QStringLiteral("Prints the report that is opened and displayed above"))},
        {c.Button(El::REPORTCLOSEBUTTON, kCloseHint)}));
    return page;
}

QWidget* OptionPages::progressTab(const QString& programDir, std::function<CentreUri()> centre) {
    OptionControls c(actions_, binder_, this);
    QPushButton* close = c.Button(El::PROGRESSCLOSEBUTTON, kCloseHint);
    auto* page = new ProgressTab(programDir, std::move(centre), close, this);
    progress_ = page;
    close->setParent(page);
    return page;
}

}  // namespace ardentix::ui
