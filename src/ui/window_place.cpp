#include "ui/window_place.h"

#include <QSettings>
#include <QWidget>

namespace ardentix::ui {

namespace {

QSettings userSettings() {
    return QSettings(QSettings::UserScope, QStringLiteral("Ardentix"), QStringLiteral("Ardentix"));
}

const char* const kPlace = "MainWindow/geometry";

}  // namespace

bool RestoreWindowPlace(QWidget* window) {
    const QByteArray place = userSettings().value(QLatin1String(kPlace)).toByteArray();
    return !place.isEmpty() && window->restoreGeometry(place);
}

void SaveWindowPlace(const QWidget* window) {
    userSettings().setValue(QLatin1String(kPlace), window->saveGeometry());
}

}  // namespace ardentix::ui
