#include "ui/quiz_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/screen.h"
#include "ui/actions.h"
#include "ui/binder.h"
#include "ui/spin_arrows.h"

namespace ardentix::ui {

namespace {

// One answer field: the field, its spin button (an up and a down half) and its label, on a panel
// of its own so that the engine can hide the whole second answer.
QWidget* answerPanel(Actions& actions, Binder& binder, El panel, El edit, El spin, El label,
                     QLineEdit*& field, QWidget* parent) {
    auto* box = new QWidget(parent);
    box->setObjectName(ObjectName(panel).section('.', -1));
    binder.Bind(panel, box, Binder::Visible);
    field = new QLineEdit(box);
    field->setObjectName(ObjectName(edit).section('.', -1));
    field->setFixedWidth(48);
    field->setAlignment(Qt::AlignRight);
    binder.Bind(edit, field, Binder::Text);
    QObject::connect(field, &QLineEdit::textEdited, parent,
                     [&actions, edit](const QString& t) { actions.Type(edit, t); });
    QWidget* spinBox = SpinArrows(actions, spin, box);
    auto* caption = new QLabel(box);
    binder.Bind(label, caption, Binder::Text);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field);
    row->addWidget(spinBox);
    row->addSpacing(6);
    row->addWidget(caption, 1);
    return box;
}

}  // namespace

QuizWindow::QuizWindow(Actions& actions, Binder& binder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      actions_(actions) {
    setObjectName(ObjectName(El::QuizWindow));
    setProperty("helpContext", 260);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QStringLiteral("Quiz"));
    auto* question = new QLabel(this);
    question->setObjectName(QStringLiteral("Label1"));
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    binder.Bind(El::QuizLabel1, question, Binder::Text);
    QWidget* first = answerPanel(actions, binder, El::QuizPanel1, El::QuizEDIT1,
                                 El::QuizSpinButton1, El::QuizLabel2, compressions_, this);
    QWidget* second = answerPanel(actions, binder, El::QuizPanel2, El::QuizEdit2,
                                  El::QuizSpinButton2, El::QuizLabel3, breaths_, this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    binder.Bind(El::QuizOKBtn, ok, Binder::Visible | Binder::Enabled | Binder::Text);
    connect(ok, &QPushButton::clicked, this, [this] { actions_.Click(El::QuizOKBtn); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(question);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // the window fits its question
}

bool QuizWindow::Follow(const Screen& screen) {
    const bool shown = screen.Get(El::QuizWindow).visible;
    if (shown == isVisible()) return false;
    setVisible(shown);
    if (shown) {
        compressions_->setFocus();
        compressions_->selectAll();
    }
    return shown;
}

void QuizWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        const bool up = event->key() == Qt::Key_Up;
        actions_.Spin(breaths_->hasFocus() ? El::QuizSpinButton2 : El::QuizSpinButton1, up);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        actions_.Click(El::QuizOKBtn);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace ardentix::ui
