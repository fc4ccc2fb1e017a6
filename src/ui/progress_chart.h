#pragma once
#include <QWidget>
#include <optional>
#include <vector>

#include "store/progress_queries.h"

namespace ardentix::ui {

// A trainee's attempts over time, drawn with QPainter in three bands one above the other: the
// score, the time to the first shock and the CPR fraction, each with its own scale, a point for
// every attempt in their order (a Test attempt filled, a Practice one hollow), the dates of the
// first and the last attempt under them.
class ProgressChart : public QWidget {
    Q_OBJECT
  public:
    explicit ProgressChart(QWidget* parent);
    void SetAttempts(const std::vector<store::Attempt>& attempts);
    int PointCount() const { return static_cast<int>(attempts_.size()); }
    void Render(QPainter& p, const QRect& area) const;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    std::vector<store::Attempt> attempts_;
};

}  // namespace ardentix::ui
