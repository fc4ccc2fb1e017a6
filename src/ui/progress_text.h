#pragma once
// How the Progress tab and a trainee's page show the stored values.
#include <QString>
#include <optional>

#include "records/debrief.h"

namespace ardentix::ui {

// "2026-12-08 09:15" of "2026-12-08T09:15:00+01:00": the station's own time, as it was written.
inline QString WhenText(const QString& startedAt) {
    return QString(startedAt.left(16)).replace(QLatin1Char('T'), QLatin1Char(' '));
}

// A scenario time as the debrief shows it (m:ss); a dash where there is none.
inline QString ClockText(const std::optional<int>& ms) {
    return ms ? QString::fromStdString(ScenarioClock(*ms)) : QStringLiteral("—");
}

// "1 attempt", "2 attempts".
inline QString CountText(int count, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

inline QString PercentText(const std::optional<double>& percent) {
    return percent ? QStringLiteral("%1 %").arg(*percent, 0, 'f', 1) : QStringLiteral("—");
}

}  // namespace ardentix::ui
