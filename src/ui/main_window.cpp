#include "ui/main_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QShowEvent>

#include "core/engine.h"
#include "core/scenario.h"
#include "ui/menu_panel.h"
#include "ui/timer_driver.h"

namespace ardentix::ui {

MainWindow::MainWindow(Engine& engine, QWidget* parent) : QMainWindow(parent), engine_(engine) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Ardentix"));
    setFixedSize(640, 480);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(255, 220, 0));
    setPalette(palette);
    setAutoFillBackground(true);

    menu_ = new MenuPanel(this);
    setCentralWidget(menu_);
    connect(menu_, &MenuPanel::startChosen, this, [this] { notAvailableYet(tr("Start")); });
    connect(menu_, &MenuPanel::optionsChosen, this, [this] { notAvailableYet(tr("Options")); });
    connect(menu_, &MenuPanel::scoreboardChosen, this,
            [this] { notAvailableYet(tr("The scoreboard")); });
    connect(menu_, &MenuPanel::quitChosen, this, &QWidget::close);

    driver_ = new TimerDriver(
        engine_.timers, [this] { afterEvent(); }, this);
}

MainWindow::~MainWindow() = default;

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    ShowMainWindow(engine_);
    menu_->StartButton()->setFocus();
    afterEvent();
}

void MainWindow::afterEvent() {
    if (engine_.ended) {
        QApplication::exit(1);
        return;
    }
    menu_->setVisible(engine_.screen.Get("MENU").visible);
    driver_->Rearm();
}

void MainWindow::notAvailableYet(const QString& what) {
    QMessageBox::information(this, QStringLiteral("Ardentix"),
                             tr("%1 is not available yet in this version.").arg(what));
}

}  // namespace ardentix::ui
