#pragma once
#include <QFont>

#include "core/ports.h"

namespace ardentix::ui {

// The type face of a report's text: the named one, or the system's fixed-pitch face where the
// named one is missing, so that columns stay aligned.
QFont TextFont(const Font& font);

}  // namespace ardentix::ui
