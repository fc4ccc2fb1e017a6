#pragma once
#include <QWidget>

namespace ardentix {
class Screen;
}

namespace ardentix::ui {

// The running list of the scenario's deductions, right of the picture under the score: each
// line's points in red and its reason beside them in one or two rows, the newest at the bottom;
// as many of the engine's lines as the rows hold (the summary lists every reason in full). Drawn
// from the engine's DEDUCTIONSList.
class DeductionList : public QWidget {
  public:
    DeductionList(const Screen& screen, QWidget* parent);
    void Refresh();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const Screen& screen_;
};

// "PAUSED" in large letters over the whole scenario screen while the scenario is paused. It takes
// no clicks: the controls under it are switched off by the pause itself.
class PausedOverlay : public QWidget {
  public:
    PausedOverlay(const Screen& screen, QWidget* parent);
    void Refresh();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const Screen& screen_;
};

}  // namespace ardentix::ui
