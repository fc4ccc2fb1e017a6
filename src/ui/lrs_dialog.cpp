#include "ui/lrs_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QVBoxLayout>

#include "ui/actions.h"
#include "xapi/attempt_rows.h"
#include "xapi/export_file.h"

namespace ardentix::ui {

namespace {

QLineEdit* field(const QString& name, const QString& text, const QString& hint, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(360);
    SetHint(edit, hint);
    return edit;
}

}  // namespace

LrsDialog::LrsDialog(xapi::LrsSettings& settings, QString connection, xapi::LrsQueue& queue,
                     QWidget* parent)
    : QDialog(parent), settings_(settings), connection_(std::move(connection)), queue_(queue) {
    setObjectName(QStringLiteral("LrsDialog"));
    setWindowTitle(QStringLiteral("Learning Record Store"));
    homePage_ = field(QStringLiteral("LrsHomePage"), settings.homePage,
                      QStringLiteral("The trainees' accounts are at this address: the trainee "
                                     "ID, or the name without one, is the account's name"),
                      this);
    base_ =
        field(QStringLiteral("LrsActivityBase"), settings.activityBase,
              QStringLiteral("Scenarios, figures and extensions are named under this IRI"), this);
    endpoint_ = field(QStringLiteral("LrsEndpoint"), settings.endpoint,
                      QStringLiteral("The store's xAPI address; statements are posted to its "
                                     "statements resource"),
                      this);
    endpoint_->setPlaceholderText(QStringLiteral("https://lrs.example/xapi/"));
    key_ = field(QStringLiteral("LrsKey"), settings.key,
                 QStringLiteral("The key the store gave this station"), this);
    secret_ = field(QStringLiteral("LrsSecret"), settings.secret,
                    QStringLiteral("The secret of that key"), this);
    secret_->setEchoMode(QLineEdit::Password);
    send_ = new QCheckBox(QStringLiteral("Send each result to the learning record store"), this);
    send_->setObjectName(QStringLiteral("LrsSend"));
    send_->setChecked(settings.send);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Trainees' home page"), homePage_);
    form->addRow(QStringLiteral("Activity base IRI"), base_);
    form->addRow(QStringLiteral("LRS endpoint"), endpoint_);
    form->addRow(QStringLiteral("Key"), key_);
    form->addRow(QStringLiteral("Secret"), secret_);
    form->addRow(send_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("LrsStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* sendNow =
        buttons->addButton(QStringLiteral("Send Now"), QDialogButtonBox::ActionRole);
    sendNow->setObjectName(QStringLiteral("LrsSendNow"));
    SetHint(sendNow, QStringLiteral("Keeps the fields and sends the results waiting for the "
                                    "store now"));
    QPushButton* exporting =
        buttons->addButton(QStringLiteral("Export..."), QDialogButtonBox::ActionRole);
    exporting->setObjectName(QStringLiteral("LrsExport"));
    SetHint(exporting, QStringLiteral("Writes the xAPI statements of every result to a file"));
    connect(buttons, &QDialogButtonBox::accepted, this, &LrsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LrsDialog::reject);
    connect(sendNow, &QPushButton::clicked, this, &LrsDialog::sendNow);
    connect(exporting, &QPushButton::clicked, this, &LrsDialog::exportChosen);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(status_);
    layout->addWidget(buttons);
}

void LrsDialog::Load() {
    homePage_->setText(settings_.homePage);
    base_->setText(settings_.activityBase);
    endpoint_->setText(settings_.endpoint);
    key_->setText(settings_.key);
    secret_->setText(settings_.secret);
    send_->setChecked(settings_.send);
    status_->clear();
}

xapi::LrsSettings LrsDialog::Shown() const {
    xapi::LrsSettings shown;
    shown.homePage = homePage_->text().trimmed();
    shown.activityBase = base_->text().trimmed();
    shown.endpoint = endpoint_->text().trimmed();
    shown.key = key_->text();
    shown.secret = secret_->text();
    shown.send = send_->isChecked();
    return shown;
}

void LrsDialog::accept() {
    settings_ = Shown();
    QDialog::accept();
}

bool LrsDialog::ExportTo(const QString& path, const QStringList& uuids) {
    if (!QSqlDatabase::database(connection_, false).isOpen()) {
        status_->setText(QStringLiteral("No results are recorded on this computer yet."));
        return false;
    }
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QString error;
    const QStringList ids = uuids.isEmpty() ? xapi::AttemptIds(db, &error) : uuids;
    if (!error.isEmpty() || !xapi::ExportStatements(db, ids, Shown(), path, &error)) {
        status_->setText(QStringLiteral("The statements were not written: %1").arg(error));
        return false;
    }
    status_->setText(QStringLiteral("%1 statements written to %2").arg(ids.size()).arg(path));
    return true;
}

void LrsDialog::exportChosen() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export xAPI Statements"), QStringLiteral("statements.json"),
        QStringLiteral("JSON files (*.json)"));
    if (!path.isEmpty()) ExportTo(path);
}

void LrsDialog::sendNow() {
    settings_ = Shown();
    if (!settings_.send || settings_.endpoint.isEmpty()) {
        status_->setText(QStringLiteral("Sending is off: switch it on and give the endpoint."));
        return;
    }
    status_->setText(QStringLiteral("Sending..."));
    queue_.SendQueued();
}

void LrsDialog::ShowRound(const xapi::LrsRound& round) {
    QString text = QStringLiteral("%1 sent, %2 waiting.").arg(round.sent).arg(round.waiting);
    if (!round.error.isEmpty()) text += QStringLiteral(" Last failure: ") + round.error;
    status_->setText(text);
}

QString LrsDialog::Status() const {
    return status_->text();
}

}  // namespace ardentix::ui
