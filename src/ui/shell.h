#pragma once
#include <QDialog>
#include <QWidget>

class QTextBrowser;

namespace ardentix::ui {

// The help viewer: our own help, a topic for each context number.
class HelpViewer : public QDialog {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent);
    void ShowTopic(int context);

  private:
    QTextBrowser* browser_ = nullptr;
};

// The backdrop behind the main window: it covers the rest of the screen and takes no input.
class BorderWindow : public QWidget {
    Q_OBJECT
  public:
    BorderWindow();
};

}  // namespace ardentix::ui
