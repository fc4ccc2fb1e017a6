#include "ui/shell.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/binder.h"

namespace ardentix::ui {

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Ardentix Help"));
    resize(560, 460);
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
}

void HelpViewer::ShowTopic(int context) {
    QUrl url(QStringLiteral("qrc:/help/ardentix.html"));
    if (context) url.setFragment(QStringLiteral("ctx%1").arg(context));
    browser_->setSource(url);
    if (context) browser_->scrollToAnchor(url.fragment());
    show();
    raise();
}

BorderWindow::BorderWindow()
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus) {
    setObjectName(ObjectName(El::ArdentixBorder));
    setWindowTitle(ObjectName(El::ArdentixBorder));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(58, 110, 165));  // the desktop's colour
    setPalette(pal);
    if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
}

}  // namespace ardentix::ui
