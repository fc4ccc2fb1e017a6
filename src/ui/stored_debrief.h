#pragma once
#include <QDialog>

#include "store/progress_queries.h"

class QTableWidget;
class QListWidget;

namespace ardentix::ui {

class DebriefChart;

// The debrief of an attempt kept in the results database, as the debrief window shows a scenario
// just played: the timeline of its events, its figures beside their targets, its events, and
// the summary's error list.
class StoredDebriefWindow : public QDialog {
    Q_OBJECT
  public:
    StoredDebriefWindow(const store::Attempt& attempt, const store::StoredDebrief& debrief,
                        QWidget* parent);
    DebriefChart* Chart() const { return chart_; }
    QTableWidget* Figures() const { return figures_; }
    QTableWidget* Events() const { return events_; }
    QListWidget* Errors() const { return errors_; }

  private:
    DebriefChart* chart_;
    QTableWidget* figures_;
    QTableWidget* events_;
    QListWidget* errors_;
};

}  // namespace ardentix::ui
