#include "ui/final_panel.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <algorithm>

#include "core/screen.h"
#include "ui/actions.h"
#include "ui/binder.h"

namespace ardentix::ui {

namespace {

// The engine counts 12 pixels for each line of the list when it sizes the panel.
constexpr int kLinePitch = 12;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;

class PitchDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kLinePitch};
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
    setObjectName(QStringLiteral("FINALERRORPanel"));
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
    binder.Bind("FINALERRORPanel", this, Binder::Visible);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("finalMSGdisplay"));
    list_->setFont(pitchFont(list_->font()));
    list_->setItemDelegate(new PitchDelegate(list_));
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    binder.Bind("finalMSGdisplay", list_, Binder::Lines | Binder::Visible);

    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("FinalErrorOKButton"));
    ok_->setDefault(true);
    binder.Bind("FinalErrorOKButton", ok_, Binder::Text | Binder::Visible | Binder::Enabled);
    connect(ok_, &QPushButton::clicked, this, [&actions] { actions.Click("FinalErrorOKButton"); });
    hide();
}

void FinalErrorPanel::Refresh() {
    const Element& panel = screen_.Get("FINALERRORPanel");
    if (!panel.visible) return;
    setGeometry(panel.left, panel.top, panel.width, panel.height);

    const Element& button = screen_.Get("FinalErrorOKButton");
    const int buttonWidth = button.width > 0 ? button.width : kButtonWidth;
    const int buttonLeft = button.width > 0 ? button.left : (panel.width - buttonWidth) / 2;
    ok_->setGeometry(buttonLeft, button.top, buttonWidth, button.height > 0 ? button.height : 25);

    // The list shows every line: its height follows them, short of the button.
    const Element& msgs = screen_.Get("finalMSGdisplay");
    const int left = msgs.width > 0 ? msgs.left : kMargin;
    const int width = msgs.width > 0 ? msgs.width : panel.width - 2 * kMargin;
    const int frame = 2 * list_->frameWidth();
    int height = msgs.height;
    if (height <= 0) {
        height = kLinePitch * static_cast<int>(msgs.lines.size()) + frame + 4;
        if (button.top > msgs.top) height = std::min(height, button.top - msgs.top - 4);
    }
    list_->setGeometry(left, msgs.top, width, height);
    raise();
}

}  // namespace ardentix::ui
