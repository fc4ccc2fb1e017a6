#include "ui/mail_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
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
#include "ui/engine_checked.h"

namespace ardentix::ui {

namespace {

constexpr int kHelpContext = 280;

QString shortName(El element) {
    return ObjectName(element).section('.', -1);
}

}  // namespace

QLineEdit* MailWindow::field(El element, const QString& hint) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(shortName(element));
    SetHint(edit, hint, kHelpContext);
    binder_.Bind(element, edit, Binder::Visible | Binder::Enabled);
    connect(edit, &QLineEdit::textEdited, this,
            [this, element](const QString& text) { actions_.Type(element, text); });
    fields_[element] = edit;
    return edit;
}

QPushButton* MailWindow::button(El element, const QString& hint) {
    auto* b = new QPushButton(this);
    b->setAutoDefault(false);
    b->setObjectName(shortName(element));
    SetHint(b, hint, kHelpContext);
    binder_.Bind(element, b, Binder::Text | Binder::Visible | Binder::Enabled);
    connect(b, &QPushButton::clicked, this, [this, element] { actions_.Click(element); });
    buttons_[element] = b;
    return b;
}

QComboBox* MailWindow::choice(El element, const QStringList& items, bool editable,
                              const QString& hint) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(shortName(element));
    combo->addItems(items);
    combo->setEditable(editable);
    SetHint(combo, hint, kHelpContext);
    binder_.Bind(element, combo, Binder::Text | Binder::Enabled);
    connect(combo, &QComboBox::textActivated, this,
            [this, element](const QString& text) { actions_.Type(element, text); });
    if (editable) {
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [this, element](const QString& text) { actions_.Type(element, text); });
    }
    return combo;
}

QCheckBox* MailWindow::check(El element, const QString& hint) {
    auto* box = new EngineChecked<QCheckBox>(this);
    box->setObjectName(shortName(element));
    SetHint(box, hint, kHelpContext);
    binder_.Bind(element, box, Binder::Text | Binder::Checked | Binder::Enabled);
    connect(box, &QCheckBox::clicked, this, [this, element] { actions_.Click(element); });
    return box;
}

MailWindow::MailWindow(Actions& actions, Binder& binder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      actions_(actions),
      binder_(binder) {
    setObjectName(ObjectName(El::MailWindow));
    setProperty("helpContext", kHelpContext);
    binder.Bind(El::MailWindow, this, Binder::Text | Binder::Visible);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setVerticalSpacing(4);
    // The server, and how it is reached: port, encryption and log-in.
    auto* serverRow = new QHBoxLayout;
    serverRow->setSpacing(6);
    serverRow->addWidget(
        field(El::MailSMTPSERV,
              QStringLiteral("Name or address of the mail server; \"name:port\" names the port")),
        1);
    auto* portLabel = new QLabel(QStringLiteral("Port"), this);
    QComboBox* port =
        choice(El::MailPortField,
               {QStringLiteral("25"), QStringLiteral("587"), QStringLiteral("465")}, true,
               QStringLiteral("25: plain SMTP; 587: submission with STARTTLS; "
                              "465: SMTP over TLS"));
    port->setMinimumContentsLength(5);
    portLabel->setBuddy(port);
    serverRow->addWidget(portLabel);
    serverRow->addWidget(port);
    form->addRow(QStringLiteral("SMTP Server*"), serverRow);

    auto* securityRow = new QHBoxLayout;
    securityRow->setSpacing(6);
    securityRow->addWidget(
        choice(El::MailSecurityField,
               {QStringLiteral("None"), QStringLiteral("STARTTLS"), QStringLiteral("TLS")}, false,
               QStringLiteral("None: no encryption; STARTTLS: encrypted after "
                              "the greeting; TLS: encrypted from the start")));
    securityRow->addWidget(check(El::MailPlainLoginCheck,
                                 QStringLiteral("Send the user name and password even when the "
                                                "connection is not encrypted")));
    securityRow->addStretch(1);
    form->addRow(QStringLiteral("Security"), securityRow);

    auto* loginRow = new QHBoxLayout;
    loginRow->setSpacing(6);
    loginRow->addWidget(field(El::MailLoginField,
                              QStringLiteral("User name for the server's log-in; empty for none")),
                        1);
    auto* passwordLabel = new QLabel(QStringLiteral("Password"), this);
    QLineEdit* password = field(El::MailPasswordField);
    password->setEchoMode(QLineEdit::Password);
    passwordLabel->setBuddy(password);
    loginRow->addWidget(passwordLabel);
    loginRow->addWidget(password, 1);
    form->addRow(QStringLiteral("User name"), loginRow);

    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("PasswordNote"));
    note->setWordWrap(true);
    QFont small = note->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    note->setFont(small);
    binder.Bind(El::MailPasswordNote, note, Binder::Text);
    form->addRow(QString(), note);
    form->addRow(QString(),
                 check(El::MailAcceptCertificateCheck,
                       QStringLiteral("Trust the certificate the server showed, although it "
                                      "does not verify: only for your own centre's server")));
    form->addRow(QStringLiteral("SMTP User ID"),
                 field(El::MailUSERIDFIELD,
                       QStringLiteral("ID of sender when establishing a connection with a SMTP "
                                      "server (optional)")));
    form->addRow(QStringLiteral("From Name "), field(El::MailFromNAMEField));
    form->addRow(QStringLiteral("From Address* "), field(El::MailFromADDRESSField));
    form->addRow(QStringLiteral("To Address*"), field(El::MailToFIELD));
    auto* ccLabel = new QLabel(QStringLiteral("CC"), this);
    form->addRow(ccLabel, field(El::MailCcFIELD));
    binder.Bind(El::MailCcFIELD, ccLabel, Binder::Visible);
    form->addRow(QStringLiteral("Subject"), field(El::MailSUBJECT));

    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("ATTACHEDFILEs"));
    files_->setFixedHeight(46);
    binder.Bind(El::MailATTACHEDFILEs, files_, Binder::Visible | Binder::Enabled);
    connect(files_, &QListWidget::currentTextChanged, this, [this](const QString& text) {
        if (!following_) actions_.Type(El::MailATTACHEDFILEs, text);
    });
    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(button(El::MailADDButton));
    fileButtons->addWidget(button(El::MailREMOVEButton));
    fileButtons->addStretch(1);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(files_, 1);
    fileRow->addLayout(fileButtons);
    auto* filesLabel = new QLabel(QStringLiteral("File(s) to Send"), this);
    binder.Bind(El::MailATTACHEDFILEs, filesLabel, Binder::Visible);
    form->addRow(filesLabel, fileRow);

    message_ = new QPlainTextEdit(this);
    message_->setObjectName(QStringLiteral("TMESSAGE"));
    message_->setFixedHeight(44);
    connect(message_, &QPlainTextEdit::textChanged, this, [this] {
        if (!following_) actions_.Type(El::MailTMESSAGE, message_->toPlainText());
    });
    form->addRow(QStringLiteral("Message"), message_);

    auto* radios = new QHBoxLayout;
    for (El element : {El::MailRadioButtonMIME, El::MailRadioButtonUU}) {
        auto* radio = new EngineChecked<QRadioButton>(this);
        radio->setObjectName(shortName(element));
        radio->setAutoExclusive(false);  // the engine checks one and unchecks the other
        binder.Bind(element, radio, Binder::Text | Binder::Checked | Binder::Enabled);
        connect(radio, &QRadioButton::clicked, this, [this, element] { actions_.Click(element); });
        radios->addWidget(radio);
    }
    radios->addStretch(1);
    form->addRow(QStringLiteral("Attachments as"), radios);

    auto* steps = new QHBoxLayout;
    for (El element : {El::MailCONNECTButton, El::MailEMAILSENDBUTTON, El::MailTClose})
        steps->addWidget(button(element));
    steps->addStretch(1);
    auto* required = new QLabel(this);
    required->setObjectName(QStringLiteral("Label4"));
    binder.Bind(El::MailLabel4, required, Binder::Text);
    steps->addWidget(required);

    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    status_->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(steps);
    layout->addWidget(status_);
    layout->setContentsMargins(10, 10, 10, 2);
    // Fits a 640 x 480 screen with its title bar.
    setFixedWidth(520);
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
    const Element& list = screen.Get(El::MailATTACHEDFILEs);
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
    for (const std::string& line : screen.Get(El::MailTMESSAGE).lines)
        lines << QString::fromStdString(line);
    const QString text = lines.join(QLatin1Char('\n'));
    if (message_->toPlainText() != text) message_->setPlainText(text);
    status_->showMessage(QString::fromStdString(screen.Get(El::MailStatusBar1).text));
    following_ = false;
    if (busy) {
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
    }
}

void MailWindow::reject() {
    actions_.Click(El::MailTClose);
}

}  // namespace ardentix::ui
