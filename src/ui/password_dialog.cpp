#include "ui/password_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/actions.h"
#include "ui/binder.h"

namespace ardentix::ui {

PasswordDialog::PasswordDialog(Actions& actions, Binder& binder, QWidget* parent)
    : QDialog(parent), actions_(actions) {
    setObjectName(ObjectName(El::PasswordDlgWindow));
    setProperty("helpContext", 270);
    // It holds every other window until it is answered; its own boxes come over it.
    setWindowModality(Qt::ApplicationModal);
    binder.Bind(El::PasswordDlgWindow, this, Binder::Text | Binder::Visible);

    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label1"));
    binder.Bind(El::PasswordDlgLabel1, label, Binder::Text);
    entry_ = new QLineEdit(this);
    entry_->setObjectName(QStringLiteral("PasswordEnter"));
    entry_->setMinimumWidth(entry_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    label->setBuddy(entry_);
    SetHint(entry_, QStringLiteral("Type the password to see options"));
    binder.Bind(El::PasswordDlgPasswordEnter, entry_, Binder::Text);
    connect(entry_, &QLineEdit::textEdited, this,
            [this](const QString& text) { actions_.Type(El::PasswordDlgPasswordEnter, text); });

    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("OKBtn"));
    ok_->setDefault(true);
    SetHint(ok_, QStringLiteral("Enter the password"));
    binder.Bind(El::PasswordDlgOKBtn, ok_, Binder::Text | Binder::Visible | Binder::Enabled);
    connect(ok_, &QPushButton::clicked, this, [this] { actions_.Click(El::PasswordDlgOKBtn); });
    auto* cancel = new QPushButton(this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAutoDefault(false);
    SetHint(cancel, QStringLiteral("Back to the main menu"));
    binder.Bind(El::PasswordDlgCancelBtn, cancel, Binder::Text | Binder::Visible | Binder::Enabled);
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(label);
    layout->addWidget(entry_);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PasswordDialog::Shown(bool hints) {
    hints_ = hints;
    raise();
    activateWindow();
    entry_->setFocus();
}

void PasswordDialog::reject() {
    actions_.Click(El::PasswordDlgCancelBtn);
}

void PasswordDialog::keyPressEvent(QKeyEvent* event) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus == this) ok_->setFocus();
    QDialog::keyPressEvent(event);
}

}  // namespace ardentix::ui
