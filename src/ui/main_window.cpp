#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "core/elements.h"
#include "core/engine.h"
#include "core/scenario.h"
#include "mail/mail_window.h"
#include "options/options.h"
#include "scenario/flow.h"
#include "scenario/input.h"
#include "ui/centre_station.h"
#include "ui/debrief_window.h"
#include "ui/dialogs.h"
#include "ui/lrs_link.h"
#include "ui/mail_window.h"
#include "ui/menu_panel.h"
#include "ui/option_pages.h"
#include "ui/password_dialog.h"
#include "ui/quiz_window.h"
#include "ui/scenario_screen.h"
#include "ui/screen_scale.h"
#include "ui/shell.h"
#include "ui/timer_driver.h"
#include "ui/window_place.h"

// The help pages are resources of this library.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace ardentix::ui {

namespace {

// A control the windows offer that the engine does not know is a slip of the windows: say so.
void checkKnown(InputResult result, const char* what, std::string_view element) {
    if (result == InputResult::Unknown)
        qWarning("The engine has no %s %.*s", what, static_cast<int>(element.size()),
                 element.data());
}

void checkKnown(InputResult result, const char* what, El element) {
    checkKnown(result, what, NameOf(element));
}

}  // namespace

MainWindow::MainWindow(Engine& engine, const QtPictures& pictures, DriverClock* clock,
                       QWidget* parent)
    : QMainWindow(parent), engine_(engine), pictures_(pictures) {
    initResources();
    setObjectName(ObjectName(El::MainWindow));
    setWindowTitle(QStringLiteral("Ardentix"));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // The classic window is the smallest; larger, the main menu and the scenario screen grow
    // with it (ScaledStage). The size and place of the last run come back.
    setMinimumSize(640, 480);
    resize(640, 480);
    setProperty("helpContext", 180);
    buildMenus();
    // Black, with yellow text, under the menu bar.
    auto* central = new QWidget(this);
    QPalette palette = central->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(255, 220, 0));
    central->setPalette(palette);
    central->setAutoFillBackground(true);
    setCentralWidget(central);
    // The main menu and the scenario screen lie on the stage that scales them; the option pages
    // fill the window as forms do.
    // The classic screen is what the 640 x 480 window holds under its menu bar.
    stage_ = new ScaledStage(QSize(kClientWidth, 480 - menuBar()->sizeHint().height()), central);
    menu_ = new MenuPanel(stage_);
    menu_->setProperty("helpContext", 95);
    binder_.Bind(El::MENU, menu_, Binder::Visible);
    connect(menu_, &MenuPanel::startChosen, this, [this] { Click(El::STARTImage); });
    connect(menu_, &MenuPanel::backgroundDoubleClicked, this, [this] { Click(El::MENU_IMAGE); });
    connect(menu_, &MenuPanel::optionsChosen, this, [this] { Click(El::OPTIONSImage); });
    connect(menu_, &MenuPanel::scoreboardChosen, this, [this] { Click(El::SCOREBOARDImage); });
    connect(menu_, &MenuPanel::quitChosen, this, [this] { Click(El::QUITImage); });
    // The scenario screen, the option pages and the other windows come once the main menu has
    // painted (buildWindows); they lie in one cell with the menu, the menu over the scenario
    // screen and the pages over both.
    auto* stack = new QGridLayout(central);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(stage_, 0, 0);
    stack_ = stack;
    border_ = std::make_unique<BorderWindow>();

    if (!clock) {
        steadyClock_ = std::make_unique<SteadyClock>();
        clock = steadyClock_.get();
    }
    driver_ = std::make_unique<TimerDriver>(engine_.timers, *clock, [this] { sync(); });
    qApp->installEventFilter(this);
    placeRestored_ = RestoreWindowPlace(this);
}

void MainWindow::buildWindows() {
    if (windowsBuilt_) return;
    windowsBuilt_ = true;
    scenario_ = new ScenarioScreen(engine_, *this, binder_, pictures_, stage_);
    menu_->raise();
    stage_->Relayout();
    // The Progress tab reads the centre server's results while it is chosen.
    const auto centre = [this] {
        if (!engine_.settings.On(Opt::OPTResultsCentre)) return CentreUri{};
        return ParseCentreUri(engine_.settings.Text(Opt::OPTCentreURI));
    };
    pages_ = new OptionPages(*this, binder_, QString::fromStdString(engine_.programDir), centre,
                             centralWidget());
    stack_->addWidget(pages_, 0, 0);
    pages_->raise();
    login_ = new LoginDialog(*this, binder_, this);
    summary_ = new SummaryDialog(*this, binder_, this);
    debrief_ = new DebriefWindow(engine_, *this, binder_, this);
    scoreboard_ = new ScoreboardWindow(*this, binder_, this);
    about_ = new AboutBox(*this, binder_, this);
    quiz_ = new QuizWindow(*this, binder_, this);
    password_ = new PasswordDialog(*this, binder_, this);
    mail_ = new MailWindow(*this, binder_, this);
    help_ = new HelpViewer(this);
    // The results database's connection comes with the local store.
    lrs_ = new LrsLink(QString(), this);
    connect(pages_->LrsButton(), &QPushButton::clicked, lrs_, &LrsLink::ShowDialog);
    // What waited for the learning record store at the last run goes now (nothing while off).
    lrs_->SendQueued();
    // The new windows show what the engine holds for them.
    binder_.ApplyAll(engine_.screen);
    pages_->Follow(engine_.screen);
    if (centreLink_) ShowCentreLink(*pages_, *centreLink_);
}

void MainWindow::SetCentreLink(centre::CentreLink* link) {
    centreLink_ = link;
    if (pages_ && link) ShowCentreLink(*pages_, *link);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    const struct {
        QMenu* menu;
        El element;
        QKeySequence shortcut;
        bool checkable;
        bool separatorBefore;
    } items[] = {
        {file, El::Pause, QKeySequence(Qt::CTRL | Qt::Key_P), true, false},
        {file, El::SHOWBORDERMenuItem, {}, false, false},
        {file, El::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q), false, false},
        {help, El::Advice, {}, false, false},
        {help, El::PatientHistory, {}, false, false},
        {help, El::HINTSHOW, {}, true, true},
        {help, El::ArdentixHelp, {}, false, false},
        {help, El::AboutArdentix1, {}, false, true},
    };
    for (const auto& item : items) {
        if (item.separatorBefore) item.menu->addSeparator();
        if (item.element == El::Quit) addFullScreen(item.menu);
        QAction* action = item.menu->addAction(QString());
        action->setObjectName(ObjectName(item.element));
        action->setShortcut(item.shortcut);
        action->setCheckable(item.checkable);
        binder_.Bind(item.element, action);
        const El element = item.element;
        if (element == El::ArdentixHelp) {
            connect(action, &QAction::triggered, this, [this] { showHelp(0); });
        } else {
            // The engine decides the check mark: the action is put back after each event.
            connect(action, &QAction::triggered, this, [this, element] { Menu(element); });
        }
    }
}

void MainWindow::addFullScreen(QMenu* menu) {
    // The window's own affair, not the scenario's: the engine does not hear of it. Esc does not
    // leave full screen, since it puts a carried pad back.
    fullScreen_ = menu->addAction(QStringLiteral("F&ull Screen"));
    fullScreen_->setObjectName(QStringLiteral("FullScreen"));
    fullScreen_->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreen_->setCheckable(true);
    connect(fullScreen_, &QAction::triggered, this,
            [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && fullScreen_)
        fullScreen_->setChecked(isFullScreen());
    QMainWindow::changeEvent(event);
}

void MainWindow::Click(El element) {
    dispatch(
        [this, element] { checkKnown(ardentix::Click(engine_, element), "control", element); });
}

void MainWindow::Menu(El element) {
    dispatch([this, element] { checkKnown(ChooseMenu(engine_, element), "menu item", element); });
    // A check item toggles itself when chosen; the engine's state decides its mark.
    binder_.ApplyAll(engine_.screen);
}

void MainWindow::Type(El element, const QString& text) {
    dispatch([this, element, text] {
        checkKnown(TypeText(engine_, element, text.toStdString()), "field", element);
    });
}

void MainWindow::Tab(const QString& caption) {
    const std::string tab = caption.toStdString();
    dispatch([this, tab] { checkKnown(ChooseTab(engine_, tab), "tab", std::string_view(tab)); });
    // The tab widget turned by itself; the engine's tab is the one shown.
    pages_->Follow(engine_.screen);
}

void MainWindow::Spin(El element, bool up) {
    dispatch([this, element, up] {
        checkKnown(ardentix::Spin(engine_, element, up), "spin button", element);
    });
}

void MainWindow::dispatch(const std::function<void()>& event) {
    if (engine_.ended) return;
    if (driver_->Held()) {
        // Inside another handler: the engine's time stands still and that handler's end brings
        // the windows up to date.
        event();
        return;
    }
    driver_->CatchUp();
    if (engine_.ended) {
        sync();
        return;
    }
    driver_->Hold();
    event();
    // Whatever the event was (a step of a pad drag, a key), the controls that wait are marked.
    if (engine_.afterEvent) engine_.afterEvent(engine_);
    driver_->Release();
    sync();
    // Answers of the mail server that came during the event are due now.
    if (!mailAnswers_.empty()) deliverMailAnswers();
}

void MainWindow::MailAnswer(const LinkAnswer& answer) {
    mailAnswers_.push_back(answer);
    if (!driver_->Held()) deliverMailAnswers();
}

void MainWindow::deliverMailAnswers() {
    if (deliveringMail_) return;
    deliveringMail_ = true;
    while (!mailAnswers_.empty() && !engine_.ended) {
        const LinkAnswer answer = mailAnswers_.front();
        mailAnswers_.pop_front();
        dispatch([this, answer] { MailLinkAnswer(engine_, answer); });
    }
    deliveringMail_ = false;
}

void MainWindow::sync() {
    if (engine_.ended) {
        // The program ends with its main window: the other windows go with it.
        border_->hide();
        for (QWidget* w : std::initializer_list<QWidget*>{login_, summary_, scoreboard_, about_,
                                                          quiz_, help_, password_, mail_})
            if (w) w->hide();
        close();
        return;
    }
    const Screen& screen = engine_.screen;
    // Until the main menu has painted, the other windows are not built, unless one is to show.
    // Built just now, they come up as if they had been there hidden.
    bool justBuilt = false;
    if (!windowsBuilt_) {
        bool shown = WaitingWindow(engine_).has_value();
        for (El window : {El::PageControl1, El::SummaryWindow, El::MailWindow, El::DebriefWindow})
            shown = shown || screen.Get(window).visible;
        shown = shown || !screen.Get(El::MENU).visible;
        if (shown) {
            buildWindows();
            justBuilt = true;
        }
    }
    if (!windowsBuilt_) {
        const ScreenChanges changes = engine_.screen.TakeChanges();
        binder_.ApplyChanged(screen, changes);
        followScreen(screen, changes);
        return;
    }
    const bool loginWasShown = !justBuilt && login_->isVisible();
    const bool summaryWasShown = !justBuilt && summary_->isVisible();
    const bool passwordWasShown = !justBuilt && password_->isVisible();
    // The e-mail window holds every other window while it sends the results; configuring, it goes
    // with the option pages. Qt sets this before the window comes up.
    if (!mail_->isVisible()) {
        mail_->setWindowModality(MailWindowSending(engine_) ? Qt::ApplicationModal : Qt::NonModal);
    }
    const ScreenChanges changes = engine_.screen.TakeChanges();
    binder_.ApplyChanged(screen, changes);
    if (changes.Has(El::LoginWindow) || changes.Has(El::LoginModePanel)) {
        login_->FollowLayout(screen.Get(El::LoginModePanel).top,
                             screen.Get(El::LoginWindow).height);
        if (!loginWasShown && login_->isVisible()) CentreOnScreen(login_);
    }
    if (!summaryWasShown && summary_->isVisible()) {
        summary_->adjustSize();
        CentreOnScreen(summary_);
    }
    if (changes.Has(El::ScoreboardWindow) && scoreboard_->Follow(screen))
        CentreOnScreen(scoreboard_);
    if (changes.Has(El::QuizWindow) || changes.Has(El::QuizPanel2)) {
        // Shown, or turned from the ratio to the seconds: fitted to its question, in the middle.
        quiz_->Follow(screen);
        if (quiz_->isVisible()) {
            quiz_->adjustSize();
            CentreOnScreen(quiz_);
        }
    }
    if (!passwordWasShown && password_->isVisible()) {
        password_->Shown(screen.Get(El::HINTSHOW).checked);
        CentreOnScreen(password_);
    }
    if (changes.Has(El::PageControl1)) pages_->Follow(screen);
    const bool mailWasShown = !justBuilt && mail_->isVisible();
    mail_->Follow(screen, MailBusy(engine_));
    if (!mailWasShown && mail_->isVisible()) {
        CentreOnScreen(mail_);
        mail_->raise();
    }
    followScreen(screen, changes);
}

void MainWindow::followScreen(const Screen& screen, const ScreenChanges& changes) {
    // The main window waits while a window waits for an answer: the summary, a dialog, the quiz.
    // When that one goes, the main window has the keys again, with or without a window manager.
    const bool wasFree = menuBar()->isEnabled();
    const bool free = PartTakesInput(engine_, MainWindowPart::MenuBar);
    if (free && !wasFree && isVisible() && !isActiveWindow()) activateWindow();
    centralWidget()->setEnabled(free);
    menuBar()->setEnabled(free);
    if (changes.Has(El::ArdentixBorder)) {
        if (screen.Get(El::ArdentixBorder).visible) {
            border_->show();
            border_->lower();
            raise();
        } else {
            border_->hide();
        }
    }
    // Which part takes input is the engine's answer, the one the controls' availability follows
    // (not under the option pages, nor under a window that waits for an answer).
    const bool pagesShown = screen.Get(El::PageControl1).visible;
    menu_->setEnabled(PartTakesInput(engine_, MainWindowPart::MainMenu));
    if (scenario_) {
        scenario_->setEnabled(PartTakesInput(engine_, MainWindowPart::ScenarioScreen));
        // Under the main menu or the option pages nothing of the scenario screen shows: it is
        // not drawn there.
        scenario_->setVisible(!screen.Get(El::MENU).visible && !pagesShown);
        scenario_->Refresh();
    }
    if (changes.focus) {
        const std::optional<El> focus = screen.Focus();
        if (auto* w = focus ? qobject_cast<QWidget*>(binder_.Target(*focus)) : nullptr) focusOn(w);
    }
    if (changes.Has(El::MenuStart) || changes.focus) {
        if (screen.Focus() == El::MenuStart) menu_->StartButton()->setFocus();
    }
    driver_->Rearm();
}

void MainWindow::focusOn(QWidget* widget) {
    // The window of the control becomes the active one, so that the keys go there: after a box
    // the window system may give the activity back to another window. Not a window that another
    // one waits over.
    QWidget* window = widget->window();
    QWidget* modal = QApplication::activeModalWidget();
    if (window->isVisible() && !window->isActiveWindow() && (!modal || modal == window)) {
        window->raise();
        window->activateWindow();
    }
    widget->setFocus();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    if (!placeRestored_) CentreOnScreen(this);
    dispatch([this] { ShowMainWindow(engine_); });
    binder_.ApplyAll(engine_.screen);
    sync();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!engine_.ended) {
        dispatch([this] { checkKnown(CloseBox(engine_), "close box", El::MainWindow); });
    }
    // The trainee chose to go on with the scenario, or a question stopped the close.
    if (!engine_.ended) {
        event->ignore();
        return;
    }
    event->accept();
    SaveWindowPlace(this);
    border_->hide();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus != this) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    dispatch([this] { KeyOnMainWindowItself(engine_); });
}

void MainWindow::showHelp(int context) {
    buildWindows();
    // Over a window that waits for an answer the help must belong to that window: every other
    // window takes no input then, and the help could not be scrolled or closed.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner || owner == help_) owner = this;
    if (help_->parentWidget() != owner) help_->setParent(owner, help_->windowFlags());
    help_->ShowTopic(context);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The Space bar is the compression key while compressions are given by key: the scenario
    // screen takes it before any control with the focus. Held down it gives one compression.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier &&
            CompressionKeyActive(engine_)) {
            if (!key->isAutoRepeat()) dispatch([this] { PressSpace(engine_); });
            return true;
        }
    }
    if (!windowsBuilt_ && watched == menu_ && event->type() == QEvent::Paint) {
        // The main menu is on the screen: the other windows are built now, before anyone can
        // ask for one.
        QTimer::singleShot(0, this, &MainWindow::buildWindows);
    }
    if (event->type() == QEvent::ToolTip) {
        // Hints show only while "Show Hints" is checked; the password dialog keeps the choice
        // made before it came up.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && password_ && (widget == password_ || password_->isAncestorOf(widget)))
            return !password_->HintsShown();
        return !engine_.screen.Get(El::HINTSHOW).checked;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        int context = 0;
        for (QObject* o = QApplication::focusWidget() ? QApplication::focusWidget() : watched; o;
             o = o->parent()) {
            if ((context = o->property("helpContext").toInt()) != 0) break;
        }
        showHelp(context ? context : 180);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace ardentix::ui
