#include "ui/scenario_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <functional>

#include "core/elements.h"
#include "core/engine.h"
#include "rescuer/rescuer.h"
#include "ui/actions.h"
#include "ui/aed_panel.h"
#include "ui/binder.h"
#include "ui/final_panel.h"
#include "ui/keys.h"
#include "ui/pads_view.h"
#include "ui/qt_ports.h"
#include "ui/scenario_notes.h"
#include "ui/screen_scale.h"

namespace ardentix::ui {

namespace {

// A label the trainee can click.
class ClickLabel : public QLabel {
  public:
    ClickLabel(const QString& text, std::function<void()> clicked, QWidget* parent)
        : QLabel(text, parent), clicked_(std::move(clicked)) {
        setCursor(Qt::PointingHandCursor);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) clicked_();
    }

  private:
    std::function<void()> clicked_;
};

QLabel* label(El name, QWidget* parent, int pointSize, const QColor& colour) {
    auto* l = new QLabel(parent);
    l->setObjectName(ObjectName(name));
    QFont f = l->font();
    f.setPointSize(pointSize);
    f.setBold(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    return l;
}

// An item's letter chooses it while its menu is open, and shows beside it as its key; the
// caption stays the engine's.
void keyInMenu(QAction* action, El item) {
    action->setShortcut(QKeySequence(MenuLetter(item).unicode()));
    action->setShortcutContext(Qt::WidgetShortcut);
}

// A menu whose items are chosen by their keys alone.
class KeyMenu : public QMenu {
  public:
    using QMenu::QMenu;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->modifiers() == Qt::NoModifier) {
            for (QAction* action : actions()) {
                if (action->isVisible() && action->isEnabled() &&
                    action->shortcut() == QKeySequence(event->key())) {
                    close();
                    action->trigger();
                    return;
                }
            }
        }
        QMenu::keyPressEvent(event);
    }
};

// The advice: a purple panel with its line in white bold type and an arrow at the end that points
// at the control it names. The engine sizes and places it; this only draws it.
class AdvicePanel : public QWidget {
  public:
    AdvicePanel(const Screen& screen, QWidget* parent) : QWidget(parent), screen_(screen) {
        setObjectName(ObjectName(El::ADVICEPANEL));
        setFont(AdviceFont());
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAccessibleName(QStringLiteral("Advice"));
        hide();
    }
    void Refresh() {
        const Element& panel = screen_.Get(El::ADVICEPANEL);
        PlaceLogical(this, QRect(panel.left, panel.top, panel.width, panel.height));
        setVisible(panel.visible);
        if (panel.visible) raise();
        update();
        // A screen reader says each new advice once.
        const QString line =
            panel.visible ? QString::fromStdString(screen_.Get(El::ADVICEText).text) : QString();
        if (line == said_) return;
        said_ = line;
        setAccessibleDescription(line);
        if (!line.isEmpty()) AnnounceValue(this, line);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = LogicalPainting(p, this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor purple(112, 32, 160);
        const Element& side = screen_.Get(El::ADVICEArrow2);
        const Element& down = screen_.Get(El::ADVICEArrowDown);
        // The body, and a triangle whose point is the panel's edge on the arrow's side.
        QRectF body(0, 0, area.width(), kAdvicePanelHeight);
        if (side.visible) body.setRight(side.left + 2);
        p.setPen(Qt::NoPen);
        p.setBrush(purple);
        p.drawRect(body);
        const qreal mid = kAdvicePanelHeight / 2.0;
        if (side.visible) {
            const qreal x = side.left + side.width;
            p.drawPolygon(QPolygonF(
                {QPointF(x, mid), QPointF(side.left, 0), QPointF(side.left, kAdvicePanelHeight)}));
        }
        if (down.visible) {
            const qreal top = down.top - 0.5;  // joined to the body without a seam
            p.drawPolygon(
                QPolygonF({QPointF(down.left, top), QPointF(down.left + down.width, top),
                           QPointF(down.left + down.width / 2.0, down.top + down.height)}));
        }
        const Element& line = screen_.Get(El::ADVICEText);
        // In logical units, as the engine measured it (the widget's own font is scaled).
        p.setFont(AdviceFont());
        p.setPen(Qt::white);
        p.drawText(QRect(line.left, line.top, line.width + 2, line.height),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(line.text));
    }

  private:
    const Screen& screen_;
    QString said_;
};

}  // namespace

ScenarioScreen::ScenarioScreen(Engine& engine, Actions& actions, Binder& binder,
                               const QtPictures& pictures, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("ScenarioScreen"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    patient_ = new PatientArea(engine, actions, pictures, this);
    patient_->move(0, 0);
    binder.Bind(El::PATIENTGraphic, patient_, Binder::Visible);

    aed_ = new AedPanel(engine.screen, actions, binder, this);
    aed_->setGeometry(kAedLeft, kCloseupTop, kAedWidth, kAedHeight);
    auto* tray = new PadTray(
        engine, actions, binder, [this](bool white) { patient_->CarryPad(white); }, this);
    tray->setGeometry(kAedLeft, kPadTrayTop, kAedWidth, kPadTrayHeight);
    binder.Bind(El::PADPanel, tray, Binder::Visible);

    // The two message lines lie on a band over the foot of the picture, above the advice's row.
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("MessageBand"));
    band->setGeometry(0, kMessageBandTop, kPatientViewSize, kMessageBandHeight);
    band->setAutoFillBackground(true);
    QPalette bandPal = band->palette();
    bandPal.setColor(QPalette::Window, QColor(0, 0, 0, 200));
    band->setPalette(bandPal);
    const QColor yellow(255, 220, 0);
    for (int i = 0; i < 2; ++i) {
        El name = i == 0 ? El::MSG0 : El::MSG1;
        QLabel* line = label(name, band, 10, yellow);
        line->setGeometry(8, 3 + i * 20, kPatientViewSize - 16, 20);
        SetHint(line, QStringLiteral("Messages"));
        binder.Bind(name, line, Binder::Text | Binder::Announce);
    }
    // The rate of compressions given by key, at the right end of the band while CPR runs: over
    // the end of a long message, which is rare while the trainee compresses.
    QLabel* rate = label(El::CPRRate, band, 12, yellow);
    rate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rate->setAutoFillBackground(true);
    rate->setContentsMargins(0, 0, 8, 0);
    rate->setGeometry(kPatientViewSize - 144, 0, 136, kMessageBandHeight);
    SetHint(rate, QStringLiteral("Compressions a minute over the last ten: green from 100 to 120"));
    binder.Bind(El::CPRRate, rate, Binder::Text | Binder::Visible | Binder::Color);

    addCaptionLine(engine.screen, binder);

    auto* over = new ClickLabel(
        QStringLiteral("Scenario Over"), [&actions] { actions.Click(El::SCENOVERLabel); }, this);
    over->setObjectName(ObjectName(El::SCENOVERLabel));
    QFont overFont = over->font();
    overFont.setPointSize(26);
    overFont.setBold(true);
    over->setFont(overFont);
    QPalette overPal = over->palette();
    overPal.setColor(QPalette::WindowText, QColor(255, 40, 40));
    over->setPalette(overPal);
    over->setAlignment(Qt::AlignCenter);
    over->setGeometry(0, 160, kPatientViewSize, 60);
    binder.Bind(El::SCENOVERLabel, over, Binder::Visible | Binder::Text);

    // Score and mode on the right.
    QLabel* scoreText = label(El::SCORETEXT, this, 11, yellow);
    scoreText->setGeometry(kPatientViewSize + 12, 6, 60, 24);
    binder.Bind(El::SCORETEXT, scoreText, Binder::Text);
    QLabel* score = label(El::SCOREDisplay, this, 18, yellow);
    score->setGeometry(kPatientViewSize + 72, 2, 80, 30);
    SetHint(score, QStringLiteral("Your score"), 110);
    binder.Bind(El::SCOREDisplay, score, Binder::Text | Binder::Announce);
    QLabel* mode = label(El::MODElabel, this, 14, QColor(255, 60, 60));
    mode->setGeometry(kPatientViewSize + 160, 4, 50, 26);
    SetHint(mode, QStringLiteral("Test mode"));
    binder.Bind(El::MODElabel, mode, Binder::Text | Binder::Visible);

    // The action bar: the engine lays the buttons out.
    actionBar_ = new QWidget(this);
    actionBar_->setObjectName(QStringLiteral("ActionBar"));
    // Where the engine lays the buttons out and places the advice above them.
    actionBar_->setGeometry(0, kActionBarTop, kClientWidth, kActionButtonHeight);
    const struct {
        El name;
        const char* hint;
    } buttons[] = {
        {El::CPRBUTTON, "Starts or stops CPR"},
        {El::PulseButton, "Checks the pulse"},
        {El::ABCsButton, "Airway, breathing and circulation"},
        {El::BPBUTTON, "Checks the blood pressure"},
        {El::VOICEBUTTON, "Gives a verbal report"},
        {El::CALLHELPButton, "Phones for help"},
        {El::TROUBLEShootBUTTON, "Troubleshoots the AED"},
        {El::CLEARBUTTON, "Clears everyone from the patient"},
        {El::ENDBUTTON, "Ends the scenario"},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(actionBar_);
        button->setObjectName(ObjectName(b.name));
        button->setFocusPolicy(Qt::TabFocus);
        button->setGeometry(0, 0, 60, 25);
        SetHint(button, WithKey(b.name, QString::fromLatin1(b.hint)), 180);
        binder.Bind(b.name, button,
                    Binder::All | Binder::LeftAndWidth | Binder::Busy | Binder::Mnemonic);
        El name = b.name;
        if (name == El::ABCsButton) {
            connect(button, &QPushButton::clicked, this,
                    [this, &engine, &actions, button] { popUpAbcs(engine, actions, button); });
        } else if (name == El::TROUBLEShootBUTTON) {
            connect(button, &QPushButton::clicked, this, [this, &actions, name, button] {
                actions.Click(name);
                troubleMenu_->popup(button->mapToGlobal(QPoint(25, 15)));
            });
        } else {
            connect(button, &QPushButton::clicked, this, [&actions, name] { actions.Click(name); });
        }
    }
    abcsMenu_ = buildAbcsMenu(actions, binder);
    troubleMenu_ = buildTroubleMenu(actions, binder);
    deductions_ = new DeductionList(engine.screen, this);
    finalPanel_ = new FinalErrorPanel(engine.screen, actions, binder, this);
    advice_ = new AdvicePanel(engine.screen, this);
    paused_ = new PausedOverlay(engine.screen, this);
    bindKeys(binder);
}

void ScenarioScreen::bindKeys(Binder& binder) {
    // A control's key goes off only while the control shows and takes input (Qt asks of the
    // shortcut's widget), and does what a click on it does.
    for (const ControlKey& k : ScenarioKeys()) {
        if (k.element == El::PADWHITE || k.element == El::PADRED) {
            // From the tray or from where it lies on the chest.
            const bool white = k.element == El::PADWHITE;
            auto* shortcut = new QShortcut(QKeySequence(k.key), this);
            connect(shortcut, &QShortcut::activated, this,
                    [this, white] { patient_->CarryPad(white); });
            continue;
        }
        for (El name : {k.element, k.alternative}) {
            auto* button = qobject_cast<QAbstractButton*>(binder.Target(name));
            if (!button) continue;
            auto* shortcut = new QShortcut(QKeySequence(k.key), button);
            connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
        }
    }
    // Tab goes along the action bar, then over the device's keys and the pads, then to the OK of
    // the final deductions.
    QWidget* previous = nullptr;
    for (El name : {El::CPRBUTTON, El::PulseButton, El::ABCsButton, El::BPBUTTON, El::VOICEBUTTON,
                    El::CALLHELPButton, El::TROUBLEShootBUTTON, El::CLEARBUTTON, El::ENDBUTTON,
                    El::PowerButton, El::POWERBUTTON2, El::AnalyzeButton, El::ShockButton,
                    El::CHILDKEY, El::PADWHITE, El::PADRED, El::FinalErrorOKButton}) {
        auto* w = qobject_cast<QWidget*>(binder.Target(name));
        if (!w) continue;
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

// The caption of the sound that plays: white on a dark band under the AED, over the top of the
// pad tray, where the engine places it; a drag of a pad goes through it.
void ScenarioScreen::addCaptionLine(const Screen& screen, Binder& binder) {
    QLabel* caption = label(El::CAPTIONLine, this, 8, QColor(255, 255, 255));
    const Element& place = screen.Get(El::CAPTIONLine);
    caption->setGeometry(place.left, place.top, place.width, place.height);
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignCenter);
    caption->setContentsMargins(4, 0, 4, 0);
    caption->setAutoFillBackground(true);
    QPalette pal = caption->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 0, 225));
    caption->setPalette(pal);
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    caption->hide();
    SetHint(caption, QStringLiteral("The AED's voice and sounds"));
    binder.Bind(El::CAPTIONLine, caption, Binder::Text | Binder::Visible | Binder::Announce);
}

QMenu* ScenarioScreen::buildAbcsMenu(Actions& actions, Binder& binder) {
    auto* menu = new KeyMenu(this);
    menu->setObjectName(QStringLiteral("ABCsMenu"));
    menu->setProperty("helpContext", 100);
    El items[] = {
        El::AllABCsmenuItem,         El::abcsSEPERATOR,          El::ABCsResponsivenessMenuItem,
        El::ABCsCALL911MenuItem,     El::ABCsAirwayMenuItem,     El::ABCsBreathingMenuItem,
        El::ABCsVentilationMenuItem, El::ABCsCirculationMenuItem};
    for (El item : items) {
        if (item == El::abcsSEPERATOR) {
            binder.Bind(item, menu->addSeparator(), Binder::Visible);
            continue;
        }
        QAction* action = menu->addAction(QString());
        action->setObjectName(ObjectName(item));
        action->setCheckable(item != El::AllABCsmenuItem);
        keyInMenu(action, item);
        binder.Bind(item, action);
        connect(action, &QAction::triggered, this, [&actions, item] { actions.Menu(item); });
    }
    return menu;
}

// The items show as the options enable their kinds of fault.
QMenu* ScenarioScreen::buildTroubleMenu(Actions& actions, Binder& binder) {
    auto* menu = new KeyMenu(this);
    menu->setObjectName(QStringLiteral("TROUBLESHOOTMenu"));
    for (El item :
         {El::TroubleElectrodeMenuItem, El::TroubleBatteryMenuItem, El::TroubleMOTIONMenuItem}) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(ObjectName(item));
        keyInMenu(action, item);
        binder.Bind(item, action);
        connect(action, &QAction::triggered, this, [&actions, item] { actions.Menu(item); });
    }
    return menu;
}

void ScenarioScreen::popUpAbcs(const Engine& engine, Actions& actions, QWidget* button) {
    // The menu opens only while no check or breath is under way; asked as an event, so that a
    // check whose end fell due before the click has ended.
    bool available = false;
    actions.Dispatch([&] { available = AbcsMenuAvailable(engine); });
    if (!available) return;
    abcsMenu_->popup(button->mapToGlobal(QPoint(25, 15)));
}

void ScenarioScreen::Refresh() {
    patient_->update();
    aed_->Refresh();
    deductions_->Refresh();
    // Stacked in this order: the advice, the final deductions over it, the pause over all.
    static_cast<AdvicePanel*>(advice_)->Refresh();
    finalPanel_->Refresh();
    paused_->Refresh();
}

}  // namespace ardentix::ui
