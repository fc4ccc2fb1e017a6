#include "ui/spin_arrows.h"

#include <QToolButton>
#include <QVBoxLayout>

#include "ui/actions.h"
#include "ui/binder.h"

namespace ardentix::ui {

QWidget* SpinArrows(Actions& actions, El spin, QWidget* parent) {
    auto* arrows = new QWidget(parent);
    arrows->setObjectName(ObjectName(spin).section('.', -1));
    auto* halves = new QVBoxLayout(arrows);
    halves->setContentsMargins(0, 0, 0, 0);
    halves->setSpacing(0);
    for (bool up : {true, false}) {
        auto* half = new QToolButton(arrows);
        half->setObjectName(up ? QStringLiteral("Up") : QStringLiteral("Down"));
        half->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        half->setAccessibleName(up ? QStringLiteral("Up") : QStringLiteral("Down"));
        half->setAccessibleDescription(up ? QStringLiteral("One more")
                                          : QStringLiteral("One less"));
        half->setFixedSize(18, 12);
        half->setFocusPolicy(Qt::NoFocus);
        half->setAutoRepeat(true);
        QObject::connect(half, &QToolButton::clicked, arrows,
                         [&actions, spin, up] { actions.Spin(spin, up); });
        halves->addWidget(half);
    }
    return arrows;
}

}  // namespace ardentix::ui
