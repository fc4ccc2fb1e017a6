#include "ui/stored_debrief.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>

#include "records/debrief.h"
#include "ui/debrief_window.h"
#include "ui/stored_table.h"

namespace ardentix::ui {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// An event as the debrief's chart takes it; the verdict as stored ("deduction: ..." or its name).
LogEvent logEventOf(const store::StoredEvent& stored) {
    LogEvent ev;
    ev.ms = stored.atMs;
    ev.kind = stored.kind.toStdString();
    ev.text = stored.text.toStdString();
    ev.points = stored.points;
    if (stored.verdict.startsWith(QLatin1String("deduction"))) {
        ev.verdict = Verdict::Deduction;
    } else if (stored.verdict.startsWith(QLatin1String("rewarded"))) {
        ev.verdict = Verdict::Rewarded;
    }
    return ev;
}

}  // namespace

StoredDebriefWindow::StoredDebriefWindow(const store::Attempt& attempt,
                                         const store::StoredDebrief& debrief, QWidget* parent)
    : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("StoredDebriefWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty("helpContext", 250);
    setWindowTitle(tr("Debrief — %1, %2 %3")
                       .arg(attempt.name, attempt.mode,
                            QString(attempt.startedAt).replace('T', ' ').left(16)));
    std::vector<LogEvent> events;
    for (const store::StoredEvent& e : debrief.events)
        events.push_back(logEventOf(e));
    const DebriefFigures f = FiguresOfEvents(events, attempt.profile == QLatin1String("Current"));
    chart_ = new DebriefChart(this);
    chart_->SetLog(events, f);

    // The stored figures with the labels and targets of the debrief; a value the events give
    // alike is judged as the debrief judges it.
    figures_ = StoredTable({tr("Figure"), tr("Value"), tr("Target")}, "Figures", this);
    std::map<QString, QString> stored;
    for (const store::StoredFigure& fig : debrief.figures)
        stored[fig.name] = fig.value;
    for (const FigureRow& row : FigureRows(f)) {
        const auto it = stored.find(text(row.name));
        if (it == stored.end()) continue;
        const bool same = text(row.value) == it->second;
        auto* value = new QTableWidgetItem(same ? text(row.shown) : it->second);
        if (same && row.met) {
            LogEvent judged;
            judged.verdict = *row.met ? Verdict::Rewarded : Verdict::Deduction;
            value->setForeground(VerdictColour(judged));
            value->setIcon(VerdictIcon(*row.met, devicePixelRatioF()));
        }
        const int r = figures_->rowCount();
        figures_->insertRow(r);
        figures_->setItem(r, 0, new QTableWidgetItem(text(row.label)));
        figures_->setItem(r, 1, value);
        figures_->setItem(r, 2, new QTableWidgetItem(text(row.target)));
        stored.erase(it);
    }
    for (const auto& [name, value] : stored) {  // figures the events do not show
        const int r = figures_->rowCount();
        figures_->insertRow(r);
        figures_->setItem(r, 0, new QTableWidgetItem(name));
        figures_->setItem(r, 1, new QTableWidgetItem(value));
    }
    figures_->resizeColumnsToContents();

    events_ = StoredTable({tr("Time"), tr("Event"), tr("Verdict"), tr("Points")}, "Events", this);
    events_->setRowCount(int(events.size()));
    for (int i = 0; i < int(events.size()); ++i) {
        const LogEvent& ev = events[size_t(i)];
        auto* verdict = new QTableWidgetItem(debrief.events[size_t(i)].verdict);
        verdict->setForeground(VerdictColour(ev));
        events_->setItem(i, 0, new QTableWidgetItem(text(ScenarioClock(ev.ms, true))));
        events_->setItem(i, 1, new QTableWidgetItem(text(ev.text)));
        events_->setItem(i, 2, verdict);
        events_->setItem(i, 3, new QTableWidgetItem(QString::number(ev.points)));
    }
    events_->resizeColumnsToContents();
    connect(events_, &QTableWidget::currentCellChanged, chart_,
            [this](int row) { chart_->Highlight(row); });

    errors_ = new QListWidget(this);
    errors_->setObjectName(QStringLiteral("Errors"));
    for (const QString& line : debrief.errors)
        errors_->addItem(line);
    if (debrief.errors.empty()) errors_->addItem(tr("No errors"));

    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(events_);
    right->addWidget(errors_);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 1);
    auto* lower = new QSplitter(Qt::Horizontal, this);
    lower->addWidget(figures_);
    lower->addWidget(right);
    lower->setStretchFactor(1, 1);
    auto* upper = new QSplitter(Qt::Vertical, this);
    upper->addWidget(chart_);
    upper->addWidget(lower);
    upper->setStretchFactor(0, 2);
    upper->setStretchFactor(1, 3);
    auto* subject =
        new QLabel(tr("%1%2 — score %3, %4")
                       .arg(attempt.name, attempt.id.isEmpty() ? QString() : ", ID " + attempt.id,
                            QString::number(attempt.score), attempt.outcome),
                   this);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(subject, 1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(upper);
    layout->addLayout(buttons);
    resize(620, 440);
}

}  // namespace ardentix::ui
