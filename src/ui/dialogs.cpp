#include "ui/dialogs.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "core/screen.h"
#include "ui/actions.h"
#include "ui/binder.h"

namespace ardentix::ui {

namespace {

QPushButton* button(Actions& actions, Binder& binder, El element, const QString& caption,
                    QWidget* parent, bool menu = false) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setObjectName(ObjectName(element).section('.', -1));
    binder.Bind(element, b, Binder::Visible | Binder::Enabled);
    QObject::connect(b, &QPushButton::clicked, parent, [&actions, element, menu] {
        menu ? actions.Menu(element) : actions.Click(element);
    });
    return b;
}

QLineEdit* shownField(Binder& binder, El element, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(ObjectName(element).section('.', -1));
    field->setReadOnly(true);
    binder.Bind(element, field, Binder::Text);
    return field;
}

}  // namespace

QPoint CentredPosition(const QRect& area, const QSize& frame) {
    // QRect::center() lies half a pixel up and left of the middle of an even width, which put a
    // window as wide as the screen one pixel off it; the sums here are exact.
    const auto along = [](int start, int room, int length) {
        return std::max(start, start + (room - length) / 2);
    };
    return {along(area.left(), area.width(), frame.width()),
            along(area.top(), area.height(), frame.height())};
}

void CentreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The frame is what must fit: the window system puts its title bar and borders around the
    // window, and a move places the frame's corner.
    const QSize frame = window->frameGeometry().size().expandedTo(window->size());
    window->move(CentredPosition(screen->availableGeometry(), frame));
}

QIcon ProgramIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath heart;
    heart.moveTo(32, 58);
    heart.cubicTo(4, 38, 2, 14, 18, 8);
    heart.cubicTo(26, 5, 31, 11, 32, 16);
    heart.cubicTo(33, 11, 38, 5, 46, 8);
    heart.cubicTo(62, 14, 60, 38, 32, 58);
    p.fillPath(heart, QColor(200, 20, 30));
    p.setPen(QPen(Qt::white, 3));
    p.drawPolyline(QPolygon({{6, 32}, {22, 32}, {27, 22}, {32, 44}, {37, 28}, {41, 32}, {58, 32}}));
    return QIcon(pixmap);
}

LoginDialog::LoginDialog(Actions& actions, Binder& binder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), actions_(actions) {
    setObjectName(ObjectName(El::LoginWindow));
    setProperty("helpContext", 210);
    setWindowTitle(QStringLiteral("Log in"));
    // It holds every other window until it is answered: no option pages or scoreboard under it.
    setWindowModality(Qt::ApplicationModal);
    setFixedWidth(300);
    binder.Bind(El::LoginWindow, this, Binder::Visible);

    auto* nameLabel = new QLabel(QStringLiteral("Name"), this);
    nameLabel->setGeometry(12, 16, 64, 24);
    auto* name = new QLineEdit(this);
    name->setObjectName(QStringLiteral("NAMEEdit"));
    name->setGeometry(80, 16, 200, 24);
    SetHint(name, QStringLiteral("Your name"), 210);
    nameLabel->setBuddy(name);
    binder.Bind(El::LoginNAMEEdit, name, Binder::Text | Binder::Visible);
    connect(name, &QLineEdit::textEdited, this,
            [&actions](const QString& t) { actions.Type(El::LoginNAMEEdit, t); });

    auto* idLabel = new QLabel(QStringLiteral("ID #"), this);
    idLabel->setObjectName(QStringLiteral("LabelID"));
    idLabel->setGeometry(12, 48, 64, 24);
    binder.Bind(El::LoginLabelID, idLabel, Binder::Text | Binder::Visible);
    auto* id = new QLineEdit(this);
    id->setObjectName(QStringLiteral("IDEdit"));
    id->setGeometry(80, 48, 200, 24);
    SetHint(id, QStringLiteral("Your ID number"), 210);
    idLabel->setBuddy(id);
    binder.Bind(El::LoginIDEdit, id, Binder::Text | Binder::Visible);
    connect(id, &QLineEdit::textEdited, this,
            [&actions](const QString& t) { actions.Type(El::LoginIDEdit, t); });

    modePanel_ = new QWidget(this);
    modePanel_->setObjectName(QStringLiteral("ModePanel"));
    auto* modes = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    for (const auto& [element, caption, hint] :
         {std::tuple{El::LoginTUTORIALButton, "Tutorial", "Guided, with free advice"},
          std::tuple{El::LoginPracticebutton, "Practice", "A random patient"},
          std::tuple{El::LoginTestButton, "Test", "A scored test series"}}) {
        auto* radio = new QRadioButton(QString::fromLatin1(caption), modePanel_);
        radio->setObjectName(ObjectName(element).section('.', -1));
        SetHint(radio, QString::fromLatin1(hint), 210);
        group->addButton(radio);
        modes->addWidget(radio);
        binder.Bind(element, radio, Binder::Checked);
        El name = element;
        connect(radio, &QRadioButton::clicked, this, [&actions, name] { actions.Click(name); });
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = button(actions, binder, El::LoginOKBtn, QStringLiteral("OK"), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(button(actions, binder, El::LoginCancelBtn, QStringLiteral("Cancel"), this));
    auto* column = new QVBoxLayout(modePanel_);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(modes);
    column->addSpacing(8);
    column->addLayout(buttons);
}

void LoginDialog::FollowLayout(int panelTop, int height) {
    modePanel_->setGeometry(12, panelTop + 6, 276, height - panelTop - 18);
    setFixedHeight(height);
}

void LoginDialog::reject() {
    actions_.Click(El::LoginCancelBtn);
}

SummaryDialog::SummaryDialog(Actions& actions, Binder& binder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(ObjectName(El::SummaryWindow));
    setWindowTitle(QStringLiteral("Scenario Summary"));
    setProperty("helpContext", 190);
    binder.Bind(El::SummaryWindow, this, Binder::Text | Binder::Visible | Binder::Enabled);

    auto* mode = new QLabel(this);
    mode->setObjectName(QStringLiteral("MODELABEL"));
    QFont modeFont = mode->font();
    modeFont.setPointSize(13);
    modeFont.setBold(true);
    mode->setFont(modeFont);
    mode->setAlignment(Qt::AlignCenter);
    binder.Bind(El::SummaryMODELABEL, mode, Binder::Text);

    auto* fields = new QGridLayout;
    const std::tuple<const char*, El> rows[] = {
        {"Name", El::SummaryNAMEEDIT},
        {"ID Number", El::SummaryIDEDIT},
        {"Score", El::SummarySCOREEDIT},
        {"Elapsed Time", El::SummaryElapsedTimeEDIT},
        {"First Shock", El::SummarySHOCKTIMEEDIT},
    };
    int row = 0;
    for (const auto& [caption, element] : rows) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        QLineEdit* field = shownField(binder, element, this);
        label->setBuddy(field);  // the field's name to a screen reader
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row++, 1);
    }
    auto* errors = new QListWidget(this);
    errors->setObjectName(QStringLiteral("Errors"));
    SetHint(errors, QStringLiteral("User protocol errors"), 110);
    errors->setMinimumSize(420, 150);
    binder.Bind(El::SummaryErrors, errors, Binder::Lines);

    auto* buttons = new QHBoxLayout;
    QPushButton* next = button(actions, binder, El::SummaryNext, QStringLiteral("Next"), this);
    SetHint(next, QStringLiteral("Generates a new scenario"));
    QPushButton* repeat =
        button(actions, binder, El::SummaryRepeatButton, QStringLiteral("Repeat"), this);
    SetHint(repeat, QStringLiteral("Repeats previous scenario"));
    buttons->addWidget(next);
    buttons->addWidget(repeat);
    buttons->addWidget(
        button(actions, binder, El::SummaryMainMenu, QStringLiteral("Main Menu"), this));
    buttons->addWidget(button(actions, binder, El::SummaryQUIT, ObjectName(El::Quit), this));
    buttons->addWidget(
        button(actions, binder, El::SummarySCOREBOARD, QStringLiteral("Scoreboard"), this));
    auto* reports = new QHBoxLayout;
    reports->addWidget(
        button(actions, binder, El::SummaryDEBRIEFButton, QStringLiteral("Debrief"), this));
    reports->addStretch();
    reports->addWidget(
        button(actions, binder, El::SummaryCODESUMSENDbutton, QStringLiteral("Send Report"), this));
    reports->addWidget(button(actions, binder, El::SummaryCODESUMPrintReport,
                              QStringLiteral("Print Report"), this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mode);
    layout->addLayout(fields);
    auto* errorsLabel = new QLabel(QStringLiteral("Protocol Errors/Notes"), this);
    errorsLabel->setBuddy(errors);
    errors->setAccessibleName(errorsLabel->text());  // a list does not take its label's
    layout->addWidget(errorsLabel);
    layout->addWidget(errors);
    layout->addLayout(buttons);
    layout->addLayout(reports);
}

ScoreboardWindow::ScoreboardWindow(Actions& actions, Binder& binder, QWidget* parent)
    : QDialog(parent), actions_(actions) {
    setObjectName(ObjectName(El::ScoreboardWindow));
    setProperty("helpContext", 200);
    setWindowTitle(QStringLiteral("Scoreboard - top 10 scores"));
    setWindowModality(Qt::ApplicationModal);
    binder.Bind(El::ScoreboardWindow, this, Binder::Text);

    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setAccessibleName(QStringLiteral("The ten highest scores"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The entries are fixed columns: name, date and score line up only in a fixed-pitch face.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    memo->setFont(fixed);
    // Room for a heading and ten entries of 36 characters, with a few to spare.
    const QFontMetrics metrics(fixed);
    const int chrome =
        2 * memo->frameWidth() + 2 * static_cast<int>(memo->document()->documentMargin());
    memo->setMinimumSize(metrics.horizontalAdvance(QString(40, QLatin1Char('0'))) + chrome,
                         metrics.lineSpacing() * 12 + chrome);
    binder.Bind(El::ScoreboardMemo1, memo, Binder::Lines);

    ok_ = button(actions, binder, El::ScoreboardOKButton, QStringLiteral("OK"), this);
    ok_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
}

bool ScoreboardWindow::Follow(const Screen& screen) {
    const bool shown = screen.Get(El::ScoreboardWindow).visible;
    if (shown == isVisible()) return false;
    if (!shown) {
        hide();
        return false;
    }
    // Over the summary it stays on top; from the main menu it stacks as usual.
    setWindowFlag(Qt::WindowStaysOnTopHint, screen.Get(El::SummaryWindow).visible);
    adjustSize();
    show();
    raise();
    activateWindow();
    ok_->setFocus();
    return true;
}

void ScoreboardWindow::reject() {
    actions_.Click(El::ScoreboardOKButton);
}

AboutBox::AboutBox(Actions& actions, Binder& binder, QWidget* parent)
    : QDialog(parent), actions_(actions) {
    setObjectName(ObjectName(El::AboutWindow));
    setProperty("helpContext", 290);
    setWindowTitle(QStringLiteral("Ardentix"));
    setModal(true);
    binder.Bind(El::AboutWindow, this, Binder::Visible);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(64, 64));
    auto* title = new QLabel(QStringLiteral("<b>Ardentix</b><br>Version 2.0"), this);
    auto* text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    text->setPlainText(
        QStringLiteral("This program was designed for emergency responders \n"
                       "to practice automated defibrillation.  Use it to supplement \n"
                       "training provided by a qualified instructor under \n"
                       "supervision of a licensed physician."));
    text->setFixedSize(420, 80);
    QPushButton* ok = button(actions, binder, El::AboutOKBtn, QStringLiteral("OK"), this, true);
    ok->setDefault(true);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(title, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

void AboutBox::reject() {
    actions_.Menu(El::AboutOKBtn);
}

}  // namespace ardentix::ui
