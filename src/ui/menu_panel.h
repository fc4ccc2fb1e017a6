#pragma once
#include <QWidget>
#include <array>

class QLabel;

namespace ardentix::ui {

class MenuItem;

// The main menu: the title picture and its four items, Start, Options, Scoreboard and Quit.
class MenuPanel : public QWidget {
    Q_OBJECT
  public:
    explicit MenuPanel(QWidget* parent = nullptr);

    QWidget* StartButton() const;
    // The one item drawn lit, if any.
    QWidget* Highlighted() const;

  signals:
    void startChosen();
    void optionsChosen();
    void scoreboardChosen();
    void quitChosen();
    void backgroundDoubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void highlight(MenuItem* item);

    std::array<MenuItem*, 4> items_{};
    MenuItem* highlighted_ = nullptr;
};

}  // namespace ardentix::ui
