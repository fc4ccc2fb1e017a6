#pragma once
#include <QStringList>

class QTableWidget;
class QWidget;

namespace ardentix::ui {

// A table of stored values, read only, chosen a row at a time, a line of text a row (so that a
// dozen rows show at 640 x 480), the last column taking what width is left.
QTableWidget* StoredTable(const QStringList& headers, const char* name, QWidget* parent);

}  // namespace ardentix::ui
