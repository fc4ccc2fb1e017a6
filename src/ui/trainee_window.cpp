#include "ui/trainee_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/progress_chart.h"
#include "ui/progress_text.h"
#include "ui/stored_debrief.h"

namespace ardentix::ui {

TraineeWindow::TraineeWindow(const store::TraineeSummary& trainee,
                             std::vector<store::Attempt> attempts,
                             std::function<store::StoredDebrief(const QString&)> debriefOf,
                             QWidget* parent)
    : QDialog(parent, Qt::Window),
      attempts_(std::move(attempts)),
      debriefOf_(std::move(debriefOf)) {
    setObjectName(QStringLiteral("TraineeWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty("helpContext", 310);
    setWindowTitle(trainee.id.isEmpty() ? trainee.name
                                        : tr("%1, ID %2").arg(trainee.name, trainee.id));
    chart_ = new ProgressChart(this);
    chart_->SetAttempts(attempts_);

    const QStringList headers = {tr("Started"),     tr("Mode"),        tr("Guidelines"),
                                 tr("Score"),       tr("Outcome"),     tr("Test passed"),
                                 tr("First shock"), tr("CPR fraction")};
    list_ = new QTableWidget(int(attempts_.size()), int(headers.size()), this);
    list_->setObjectName(QStringLiteral("Attempts"));
    list_->setHorizontalHeaderLabels(headers);
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setWordWrap(false);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->setToolTip(tr("Double-click an attempt to see its debrief"));
    for (int r = 0; r < int(attempts_.size()); ++r) {
        const store::Attempt& a = attempts_[size_t(r)];
        const QString passed = !a.passed ? QString() : *a.passed ? tr("yes") : tr("no");
        const QString cells[] = {WhenText(a.startedAt),
                                 a.mode,
                                 a.profile,
                                 QString::number(a.score),
                                 a.outcome,
                                 passed,
                                 ClockText(a.firstShockMs),
                                 PercentText(a.cprFraction)};
        for (int c = 0; c < int(std::size(cells)); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 3 || c >= 6) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            list_->setItem(r, c, item);
        }
    }
    list_->resizeColumnsToContents();
    // The latest attempt in view.
    list_->scrollToBottom();
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row) { OpenDebrief(row); });

    auto* open = new QPushButton(tr("&Debrief"), this);
    open->setObjectName(QStringLiteral("DebriefBtn"));
    open->setAutoDefault(false);
    connect(open, &QPushButton::clicked, this, [this] { OpenDebrief(list_->currentRow()); });
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(chart_);
    split->addWidget(list_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(open);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    layout->addLayout(buttons);
    // As the debrief window: whole on a 640 x 480 screen.
    resize(620, 440);
}

void TraineeWindow::OpenDebrief(int row) {
    if (row < 0 || row >= int(attempts_.size())) return;
    const store::Attempt& a = attempts_[size_t(row)];
    auto* window = new StoredDebriefWindow(a, debriefOf_(a.uuid), this);
    window->show();
}

}  // namespace ardentix::ui
