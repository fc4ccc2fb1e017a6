#include "ui/binder.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "core/screen.h"
#include "ui/keys.h"
#include "ui/screen_scale.h"
#include "ui/text_font.h"

namespace ardentix::ui {

QString ObjectName(El element) {
    const std::string_view name = NameOf(element);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

namespace {

// The colours of text on the black scenario screen.
QColor textColour(ardentix::Color c) {
    switch (c) {
        case ardentix::Color::Green:
            return QColor(60, 220, 80);
        case ardentix::Color::Red:
            return QColor(255, 60, 60);
        case ardentix::Color::Yellow:
            return QColor(255, 220, 0);
        default:
            return QColor(245, 245, 245);
    }
}

}  // namespace

namespace {
std::function<void(QObject*, const QString&)>& announceListener() {
    static std::function<void(QObject*, const QString&)> listener;
    return listener;
}
}  // namespace

void SetAnnounceListener(std::function<void(QObject*, const QString&)> listener) {
    announceListener() = std::move(listener);
}

void AnnounceValue(QObject* target, const QString& text) {
    if (announceListener()) announceListener()(target, text);
    QAccessibleValueChangeEvent event(target, text);
    QAccessible::updateAccessibility(&event);
}

void Binder::Bind(El element, QObject* target, unsigned what) {
    bindings_.emplace(element, Binding{target, what});
}

QObject* Binder::Target(El element) const {
    auto it = bindings_.find(element);
    return it == bindings_.end() ? nullptr : it->second.target.data();
}

void Binder::ApplyAll(const Screen& screen) {
    for (const auto& [name, binding] : bindings_) {
        if (binding.target) apply(name, screen.Get(name), binding.target, binding.what);
    }
}

void Binder::ApplyChanged(const Screen& screen, const ScreenChanges& changed) {
    for (El el : changed.elements) {
        auto [first, last] = bindings_.equal_range(el);
        for (auto it = first; it != last; ++it) {
            if (it->second.target) apply(el, screen.Get(el), it->second.target, it->second.what);
        }
    }
}

// A busy control looks like a disabled one and shows the busy cursor, but stays enabled: a click
// on it still goes to the engine, which ignores it there.
void Binder::applyBusy(bool busy, QWidget* widget) {
    if (widget->property("busy").toBool() == busy) return;
    widget->setProperty("busy", busy);
    if (!busy) {
        widget->unsetCursor();
        widget->setPalette(QPalette());  // back to the palette it inherits
        return;
    }
    widget->setCursor(Qt::BusyCursor);
    QPalette greyed = widget->palette();
    for (QPalette::ColorRole role :
         {QPalette::ButtonText, QPalette::Button, QPalette::Text, QPalette::WindowText}) {
        const QBrush disabled = greyed.brush(QPalette::Disabled, role);
        greyed.setBrush(QPalette::Active, role, disabled);
        greyed.setBrush(QPalette::Inactive, role, disabled);
    }
    widget->setPalette(greyed);
}

// Said once for each new text, and only while it can be seen: a line that clears, or changes on a
// hidden panel, says nothing.
void Binder::announce(El element, const QString& text, QObject* target) {
    const QByteArray key = "announced " + ObjectName(element).toUtf8();
    if (target->property(key.constData()).toString() == text) return;
    auto* widget = qobject_cast<QWidget*>(target);
    if (widget && !widget->isVisible()) return;
    target->setProperty(key.constData(), text);
    if (!text.isEmpty()) AnnounceValue(target, text);
}

void Binder::apply(El element, const Element& el, QObject* target, unsigned what) {
    QString text = QString::fromStdString(el.text);
    if (what & Mnemonic) text = WithMnemonic(element, text);
    if (auto* action = qobject_cast<QAction*>(target)) {
        if (what & Text) action->setText(text);
        if (what & Visible) action->setVisible(el.visible);
        if (what & Enabled) action->setEnabled(el.enabled);
        if ((what & Checked) && action->isCheckable()) action->setChecked(el.checked);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) return;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if ((what & Text) && edit->text() != text) edit->setText(text);
        // A masked field shows each character as "*".
        if (what & Text) edit->setEchoMode(el.masked ? QLineEdit::Password : QLineEdit::Normal);
        // The style's own mask character is a dot in some styles.
        if (el.masked && edit->styleSheet().isEmpty())
            edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42 }"));
        if (el.maxLength > 0) edit->setMaxLength(el.maxLength);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (what & Text) button->setText(text);
        if ((what & Checked) && button->isCheckable()) button->setChecked(el.checked);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (what & Text) label->setText(text);
        if (what & Color) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::WindowText, textColour(el.color));
            label->setPalette(pal);
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if ((what & Text) && combo->currentText() != text) {
            if (combo->isEditable()) {
                combo->setEditText(text);
            } else {
                combo->setCurrentText(text);
            }
        }
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (what & Lines) {
            list->clear();
            for (const std::string& line : el.lines)
                list->addItem(QString::fromStdString(line));
            list->scrollToBottom();
        }
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        if ((what & Font) && !el.font.empty()) memo->setFont(TextFont({el.font, el.fontSize}));
        if (what & Lines) {
            QStringList lines;
            for (const std::string& line : el.lines)
                lines << QString::fromStdString(line);
            memo->setPlainText(lines.join(QLatin1Char('\n')));
        }
    } else if ((what & Text) && widget->isWindow()) {
        widget->setWindowTitle(text);
    }
    if ((what & Text) && el.bold && !widget->font().bold()) {
        QFont bold = widget->font();
        bold.setBold(true);
        widget->setFont(bold);
    }
    if (what & Enabled) widget->setEnabled(el.enabled);
    if (what & Busy) applyBusy(el.busy, widget);
    if (what & LeftAndWidth) {
        const QRect place = LogicalGeometry(widget);
        PlaceLogical(widget, QRect(el.left, place.y(), el.width, place.height()));
    }
    if (what & Visible) widget->setVisible(el.visible);
    if (what & Announce) announce(element, el.visible ? text : QString(), target);
}

}  // namespace ardentix::ui
