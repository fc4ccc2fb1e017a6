#include "ui/option_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/actions.h"
#include "ui/binder.h"
#include "ui/engine_checked.h"
#include "ui/spin_arrows.h"

namespace ardentix::ui {

namespace {

// A numeric field: typing does nothing, Up and Down step it as its spin button does.
class SpinField : public QLineEdit {
  public:
    SpinField(Actions& actions, El spin, QWidget* parent)
        : QLineEdit(parent), actions_(actions), spin_(spin) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
            actions_.Spin(spin_, event->key() == Qt::Key_Up);
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

  private:
    Actions& actions_;
    El spin_;
};

}  // namespace

QCheckBox* OptionControls::CheckBox(El element, const QString& hint) {
    auto* box = new EngineChecked<QCheckBox>(page_);
    box->setObjectName(ObjectName(element));
    SetHint(box, hint);
    binder_.Bind(element, box, Binder::Text | Binder::Checked | Binder::Visible | Binder::Enabled);
    Actions& actions = actions_;
    QObject::connect(box, &QCheckBox::clicked, page_,
                     [&actions, element] { actions.Click(element); });
    return box;
}

QLineEdit* OptionControls::Text(El element, const QString& hint) {
    auto* field = new QLineEdit(page_);
    field->setObjectName(ObjectName(element));
    SetHint(field, hint);
    binder_.Bind(element, field, Binder::Text | Binder::Visible | Binder::Enabled);
    Actions& actions = actions_;
    QObject::connect(field, &QLineEdit::textEdited, page_,
                     [&actions, element](const QString& text) { actions.Type(element, text); });
    return field;
}

QRadioButton* OptionControls::Radio(El element, const QString& hint) {
    auto* radio = new EngineChecked<QRadioButton>(page_);
    radio->setObjectName(ObjectName(element));
    // The engine unchecks the other one.
    radio->setAutoExclusive(false);
    SetHint(radio, hint);
    binder_.Bind(element, radio,
                 Binder::Text | Binder::Checked | Binder::Visible | Binder::Enabled);
    Actions& actions = actions_;
    QObject::connect(radio, &QRadioButton::clicked, page_,
                     [&actions, element] { actions.Click(element); });
    return radio;
}

QPushButton* OptionControls::Button(El element, const QString& hint) {
    auto* button = new QPushButton(page_);
    button->setObjectName(ObjectName(element));
    button->setAutoDefault(false);
    SetHint(button, hint);
    binder_.Bind(element, button, Binder::Text | Binder::Visible | Binder::Enabled);
    Actions& actions = actions_;
    QObject::connect(button, &QPushButton::clicked, page_,
                     [&actions, element] { actions.Click(element); });
    return button;
}

QWidget* OptionControls::Number(El element, El spin, const QString& hint, QLineEdit** field) {
    auto* box = new QWidget(page_);
    auto* edit = new SpinField(actions_, spin, box);
    edit->setObjectName(ObjectName(element));
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    // Room for three digits.
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);
    SetHint(edit, hint);
    binder_.Bind(element, edit, Binder::Text | Binder::Visible | Binder::Enabled);
    QWidget* arrows = SpinArrows(actions_, spin, box);
    SetHint(arrows, hint);
    binder_.Bind(spin, arrows, Binder::Visible | Binder::Enabled);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(edit);
    row->addWidget(arrows);
    if (field) *field = edit;
    return box;
}

QGroupBox* OptionControls::Group(const QString& title, std::initializer_list<QWidget*> controls) {
    auto* group = new QGroupBox(title, page_);
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(2);
    for (QWidget* control : controls)
        column->addWidget(control);
    column->addStretch(1);
    return group;
}

}  // namespace ardentix::ui
