#include "ui/final_panel.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "core/screen.h"
#include "ui/actions.h"
#include "ui/binder.h"
#include "ui/screen_scale.h"

namespace ardentix::ui {

namespace {

// The engine counts 12 pixels for each line of the list when it sizes the panel.
constexpr int kLinePitch = 12;

class PitchDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // The rows are as far apart as the list's font is scaled on the screen.
        return {QStyledItemDelegate::sizeHint(option, index).width(),
                qRound(kLinePitch * ScaleOf(option.widget))};
    }
};

// The largest font of the usual face whose lines fit the pitch.
QFont pitchFont(QFont font) {
    for (int px = 11; px > 6; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).height() <= kLinePitch) break;
    }
    return font;
}

}  // namespace

FinalErrorPanel::FinalErrorPanel(const Screen& screen, Actions& actions, Binder& binder,
                                 QWidget* parent)
    : QFrame(parent), screen_(screen) {
    setObjectName(ObjectName(El::FINALERRORPanel));
    setProperty("helpContext", 230);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    // A plain grey panel, whatever the black screen under it.
    const QPalette standard = QApplication::palette();
    QPalette pal = palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Base,
                                     QPalette::Text, QPalette::Button, QPalette::ButtonText}) {
        pal.setColor(role, standard.color(role));
    }
    setPalette(pal);
    setAutoFillBackground(true);
    binder.Bind(El::FINALERRORPanel, this, Binder::Visible);

    list_ = new QListWidget(this);
    list_->setObjectName(ObjectName(El::finalMSGdisplay));
    list_->setAccessibleName(QStringLiteral("Final deductions"));
    list_->setFont(pitchFont(list_->font()));
    list_->setItemDelegate(new PitchDelegate(list_));
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    binder.Bind(El::finalMSGdisplay, list_, Binder::Lines | Binder::Visible);

    ok_ = new QPushButton(this);
    ok_->setObjectName(ObjectName(El::FinalErrorOKButton));
    ok_->setDefault(true);
    binder.Bind(El::FinalErrorOKButton, ok_, Binder::Text | Binder::Visible | Binder::Enabled);
    connect(ok_, &QPushButton::clicked, this,
            [&actions] { actions.Click(El::FinalErrorOKButton); });
    hide();
}

void FinalErrorPanel::Refresh() {
    const Element& panel = screen_.Get(El::FINALERRORPanel);
    if (!panel.visible) return;
    PlaceLogical(this, QRect(panel.left, panel.top, panel.width, panel.height));

    // The engine sizes the list and places the button for the lines it holds.
    for (const auto& [name, widget] :
         {std::pair<El, QWidget*>{El::FinalErrorOKButton, ok_}, {El::finalMSGdisplay, list_}}) {
        const Element& el = screen_.Get(name);
        PlaceLogical(widget, QRect(el.left, el.top, el.width, el.height));
    }
    raise();
}

}  // namespace ardentix::ui
