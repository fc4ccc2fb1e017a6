#pragma once
#include <QDialog>
#include <functional>
#include <vector>

#include "store/progress_queries.h"

class QTableWidget;

namespace ardentix::ui {

class ProgressChart;

// A trainee's page: the chart of the score and the key figures over time, and the list of the
// attempts in the Progress tab's days and mode, oldest first. A double click on an attempt opens
// its debrief.
class TraineeWindow : public QDialog {
    Q_OBJECT
  public:
    // `debriefOf` reads an attempt's stored debrief.
    TraineeWindow(const store::TraineeSummary& trainee, std::vector<store::Attempt> attempts,
                  std::function<store::StoredDebrief(const QString& uuid)> debriefOf,
                  QWidget* parent);
    ProgressChart* Chart() const { return chart_; }
    QTableWidget* Attempts() const { return list_; }
    // Opens the debrief of the attempt in this row of the list.
    void OpenDebrief(int row);

  private:
    std::vector<store::Attempt> attempts_;
    std::function<store::StoredDebrief(const QString&)> debriefOf_;
    ProgressChart* chart_;
    QTableWidget* list_;
};

}  // namespace ardentix::ui
