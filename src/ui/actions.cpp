#include "ui/actions.h"

#include <QWidget>

namespace ardentix::ui {

void SetHint(QWidget* widget, const QString& hint, int helpContext) {
    widget->setToolTip(hint);
    // A screen reader reads the hint as the control's description.
    widget->setAccessibleDescription(hint);
    widget->setToolTipDuration(4000);
    if (helpContext) widget->setProperty("helpContext", helpContext);
}

}  // namespace ardentix::ui
