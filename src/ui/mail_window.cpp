#include "ui/mail_window.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/screen.h"
#include "ui/actions.h"
#include "ui/binder.h"

namespace ardentix::ui {

namespace {

constexpr int kHelpContext = 280;

QString shortName(const char* element) {
    return QString::fromLatin1(element).section('.', -1);
}

}  // namespace

QLineEdit* MailWindow::field(const char* element, const QString& hint) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(shortName(element));
    SetHint(edit, hint, kHelpContext);
    binder_.Bind(element, edit, Binder::Visible | Binder::Enabled);
    connect(edit, &QLineEdit::textEdited, this,
            [this, element](const QString& text) { actions_.Type(element, text); });
    fields_[element] = edit;
    return edit;
}

QPushButton* MailWindow::button(const char* element, const QString& hint) {
    auto* b = new QPushButton(this);
    b->setAutoDefault(false);
    b->setObjectName(shortName(element));
    SetHint(b, hint, kHelpContext);
    binder_.Bind(element, b, Binder::Text | Binder::Visible | Binder::Enabled);
    connect(b, &QPushButton::clicked, this, [this, element] { actions_.Click(element); });
    buttons_[element] = b;
    return b;
}

MailWindow::MailWindow(Actions& actions, Binder& binder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      actions_(actions),
      binder_(binder) {
    setObjectName(QStringLiteral("TFRMSEND"));
    setProperty("helpContext", kHelpContext);
    binder.Bind("TFRMSEND", this, Binder::Text | Binder::Visible);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("SMTP Server*"), field("TFRMSEND.SMTPSERV"));
    form->addRow(QStringLiteral("SMTP User ID"),
                 field("TFRMSEND.USERIDFIELD",
                       QStringLiteral("ID of sender when establishing a connection with a SMTP "
                                      "server (optional)")));
    form->addRow(QStringLiteral("From Name "), field("TFRMSEND.FromNAMEField"));
    form->addRow(QStringLiteral("From Address* "), field("TFRMSEND.FromADDRESSField"));
    form->addRow(QStringLiteral("To Address*"), field("TFRMSEND.ToFIELD"));
    auto* ccLabel = new QLabel(QStringLiteral("CC"), this);
    form->addRow(ccLabel, field("TFRMSEND.CcFIELD"));
    binder.Bind("TFRMSEND.CcFIELD", ccLabel, Binder::Visible);
    form->addRow(QStringLiteral("Subject"), field("TFRMSEND.SUBJECT"));

    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("ATTACHEDFILEs"));
    files_->setFixedHeight(54);
    binder.Bind("TFRMSEND.ATTACHEDFILEs", files_, Binder::Visible | Binder::Enabled);
    connect(files_, &QListWidget::currentTextChanged, this, [this](const QString& text) {
        if (!following_) actions_.Type("TFRMSEND.ATTACHEDFILEs", text);
    });
    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(button("TFRMSEND.ADDButton"));
    fileButtons->addWidget(button("TFRMSEND.REMOVEButton"));
    fileButtons->addStretch(1);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(files_, 1);
    fileRow->addLayout(fileButtons);
    auto* filesLabel = new QLabel(QStringLiteral("File(s) to Send"), this);
    binder.Bind("TFRMSEND.ATTACHEDFILEs", filesLabel, Binder::Visible);
    form->addRow(filesLabel, fileRow);

    message_ = new QPlainTextEdit(this);
    message_->setObjectName(QStringLiteral("TMESSAGE"));
    message_->setFixedHeight(70);
    connect(message_, &QPlainTextEdit::textChanged, this, [this] {
        if (!following_) actions_.Type("TFRMSEND.TMESSAGE", message_->toPlainText());
    });
    form->addRow(QStringLiteral("Message"), message_);

    auto* encoding = new QGroupBox(QStringLiteral("Attachment encoding"), this);
    auto* radios = new QHBoxLayout(encoding);
    for (const char* element : {"TFRMSEND.RadioButtonMIME", "TFRMSEND.RadioButtonUU"}) {
        auto* radio = new QRadioButton(encoding);
        radio->setObjectName(shortName(element));
        radio->setAutoExclusive(false);  // the engine checks one and unchecks the other
        binder.Bind(element, radio, Binder::Text | Binder::Checked | Binder::Enabled);
        connect(radio, &QRadioButton::clicked, this, [this, element] { actions_.Click(element); });
        radios->addWidget(radio);
    }
    radios->addStretch(1);

    auto* steps = new QHBoxLayout;
    for (const char* element :
         {"TFRMSEND.CONNECTButton", "TFRMSEND.EMAILSENDBUTTON", "TFRMSEND.TClose"})
        steps->addWidget(button(element));
    steps->addStretch(1);
    auto* required = new QLabel(this);
    required->setObjectName(QStringLiteral("Label4"));
    binder.Bind("TFRMSEND.Label4", required, Binder::Text);
    steps->addWidget(required);

    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    status_->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(encoding);
    layout->addLayout(steps);
    layout->addWidget(status_);
    layout->setContentsMargins(10, 10, 10, 2);
    // Fits a 640 x 480 screen with its title bar.
    setFixedWidth(460);
    setFixedHeight(sizeHint().height());
}

void MailWindow::Follow(const Screen& screen, bool busy) {
    following_ = true;
    for (auto& [element, edit] : fields_) {
        const QString text = QString::fromStdString(screen.Get(element).text);
        if (edit->text() != text) edit->setText(text);
    }
    for (auto& [element, b] : buttons_) {
        QFont font = b->font();
        if (font.bold() != screen.Get(element).bold) {
            font.setBold(screen.Get(element).bold);
            b->setFont(font);
        }
    }
    const Element& list = screen.Get("TFRMSEND.ATTACHEDFILEs");
    QStringList entries;
    for (const std::string& line : list.lines)
        entries << QString::fromStdString(line);
    QStringList shown;
    for (int i = 0; i < files_->count(); ++i)
        shown << files_->item(i)->text();
    if (shown != entries) {
        files_->clear();
        files_->addItems(entries);
    }
    const QList<QListWidgetItem*> selected =
        files_->findItems(QString::fromStdString(list.text), Qt::MatchExactly);
    files_->setCurrentItem(list.text.empty() || selected.isEmpty() ? nullptr : selected.first());

    QStringList lines;
    for (const std::string& line : screen.Get("TFRMSEND.TMESSAGE").lines)
        lines << QString::fromStdString(line);
    const QString text = lines.join(QLatin1Char('\n'));
    if (message_->toPlainText() != text) message_->setPlainText(text);
    status_->showMessage(QString::fromStdString(screen.Get("TFRMSEND.StatusBar1").text));
    following_ = false;
    if (busy) {
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
    }
}

void MailWindow::reject() {
    actions_.Click("TFRMSEND.TClose");
}

}  // namespace ardentix::ui
