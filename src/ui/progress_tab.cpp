#include "ui/progress_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QSqlDatabase>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "centre/results_source.h"
#include "store/qt_results_store.h"
#include "ui/progress_text.h"
#include "ui/stored_table.h"
#include "ui/trainee_window.h"
#include "xapi/export_file.h"

namespace ardentix::ui {

namespace {

// A cell that sorts by the value it was given, not by its text.
class SortItem : public QTableWidgetItem {
  public:
    SortItem(const QString& text, const QVariant& key) : QTableWidgetItem(text) {
        setData(Qt::UserRole, key);
        if (key.typeId() != QMetaType::QString) setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(Qt::UserRole), b = other.data(Qt::UserRole);
        if (a.typeId() == QMetaType::QString)
            return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
        return a.toDouble() < b.toDouble();
    }
};

// Where a trainee's row keeps the index of its summary.
constexpr int kRowIndex = Qt::UserRole + 1;

// Without a value a median sorts below every value.
QVariant keyOf(const std::optional<int>& v) {
    return v ? double(*v) : -1.0;
}
QVariant keyOf(const std::optional<double>& v) {
    return v ? *v : -1.0;
}

}  // namespace

ProgressTab::ProgressTab(QString programDir, std::function<CentreUri()> centre, QPushButton* close,
                         QWidget* parent)
    : QWidget(parent), programDir_(std::move(programDir)), centre_(std::move(centre)) {
    setObjectName(QStringLiteral("ProgressSheet"));
    setProperty("helpContext", 310);

    // The filter: days (each end may stay open), mode, a part of the name.
    const QDate today = QDate::currentDate();
    const auto dateField = [this](const char* name, const QDate& date) {
        auto* field = new QDateEdit(date, this);
        field->setObjectName(QString::fromLatin1(name));
        field->setCalendarPopup(true);
        field->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        field->setEnabled(false);
        return field;
    };
    fromOn_ = new QCheckBox(tr("&From"), this);
    fromOn_->setObjectName(QStringLiteral("ProgressFromOn"));
    from_ = dateField("ProgressFrom", today.addMonths(-1));
    toOn_ = new QCheckBox(tr("&To"), this);
    toOn_->setObjectName(QStringLiteral("ProgressToOn"));
    to_ = dateField("ProgressTo", today);
    // Named for a screen reader: the check boxes beside the fields say what they are.
    from_->setAccessibleName(tr("From"));
    to_->setAccessibleName(tr("To"));
    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("ProgressMode"));
    mode_->addItem(tr("Practice and Test"), QString());
    mode_->addItem(tr("Practice"), QStringLiteral("Practice"));
    mode_->addItem(tr("Test"), QStringLiteral("Test"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("ProgressName"));
    name_->setPlaceholderText(tr("Name"));
    name_->setClearButtonEnabled(true);
    name_->setToolTip(tr("Shows the trainees whose name holds this text"));
    name_->setAccessibleName(tr("Name"));
    typing_ = new QTimer(this);
    typing_->setSingleShot(true);
    typing_->setInterval(250);
    connect(typing_, &QTimer::timeout, this, &ProgressTab::Refresh);
    connect(name_, &QLineEdit::textChanged, typing_, qOverload<>(&QTimer::start));
    for (auto [on, field] : {std::pair{fromOn_, from_}, std::pair{toOn_, to_}}) {
        connect(on, &QCheckBox::toggled, field, &QWidget::setEnabled);
        connect(on, &QCheckBox::toggled, this, &ProgressTab::Refresh);
        connect(field, &QDateEdit::dateChanged, this, &ProgressTab::Refresh);
    }
    connect(mode_, &QComboBox::currentIndexChanged, this, &ProgressTab::Refresh);
    auto* filter = new QHBoxLayout;
    filter->addWidget(fromOn_);
    filter->addWidget(from_);
    filter->addWidget(toOn_);
    filter->addWidget(to_);
    filter->addWidget(mode_);
    filter->addWidget(name_, 1);

    trainees_ = StoredTable({tr("Trainee"), tr("ID"), tr("Attempts"), tr("Last"), tr("Best"),
                             tr("Last score"), tr("Passed"), tr("1st shock"), tr("CPR")},
                            "ProgressTrainees", this);
    const QString hints[] = {
        tr("The name as typed at the log-in"),
        tr("The ID as typed at the log-in"),
        tr("Attempts in the chosen days and mode"),
        tr("The day of the last attempt"),
        tr("The best score"),
        tr("The score of the last attempt"),
        tr("Test attempts passed"),
        tr("Median time to the first shock (m:ss), of the attempts with a shock"),
        tr("Median CPR fraction"),
    };
    for (int c = 0; c < int(std::size(hints)); ++c)
        trainees_->horizontalHeaderItem(c)->setToolTip(hints[c]);
    trainees_->setToolTip(tr("Double-click a trainee to see the trainee's page"));
    trainees_->setAccessibleName(tr("Trainees"));
    // By name until a heading is clicked.
    trainees_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    connect(trainees_, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { OpenTrainee(row); });
    errors_ = StoredTable({tr("Errors of the class, most often made first"), tr("Count")},
                          "ProgressErrors", this);
    errors_->setAccessibleName(tr("Errors of the class"));
    errors_->horizontalHeader()->setStretchLastSection(false);
    errors_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    errors_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(trainees_);
    split->addWidget(errors_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("ProgressStatus"));
    auto* open = new QPushButton(tr("Trainee..."), this);
    open->setObjectName(QStringLiteral("ProgressOpenTrainee"));
    open->setToolTip(tr("Shows the chosen trainee's attempts and progress"));
    connect(open, &QPushButton::clicked, this, [this] { OpenTrainee(trainees_->currentRow()); });
    auto* csv = new QPushButton(tr("Export CSV..."), this);
    csv->setObjectName(QStringLiteral("ProgressExportCsv"));
    csv->setToolTip(tr("Saves the attempts the filter shows as a CSV file"));
    connect(csv, &QPushButton::clicked, this, &ProgressTab::exportCsv);
    auto* xapiExport = new QPushButton(tr("Export xAPI..."), this);
    xapiExport->setObjectName(QStringLiteral("ProgressExportXapi"));
    xapiExport->setToolTip(
        tr("Saves the xAPI statements of the attempts the filter shows as a JSON file"));
    connect(xapiExport, &QPushButton::clicked, this, &ProgressTab::exportXapi);
    buttons_ = new QHBoxLayout;
    buttons_->addWidget(open);
    buttons_->addWidget(csv);
    buttons_->addWidget(xapiExport);
    buttons_->addWidget(status_, 1);
    buttons_->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filter);
    layout->addWidget(split, 1);
    layout->addLayout(buttons_);
}

ProgressTab::~ProgressTab() = default;

void ProgressTab::AddButton(QPushButton* button) {
    buttons_->insertWidget(buttons_->indexOf(status_), button);
}

store::ProgressFilter ProgressTab::Filter() const {
    store::ProgressFilter f;
    if (fromOn_->isChecked()) f.from = from_->date();
    if (toOn_->isChecked()) f.to = to_->date();
    f.mode = mode_->currentData().toString();
    f.name = name_->text().trimmed();
    return f;
}

bool ProgressTab::openDatabase() {
    // The last one closes first: a trainee's page still open reads the new one.
    source_.reset();
    source_ = std::make_unique<centre::ResultsSource>(centre::OpenResultsSource(
        programDir_ + QLatin1Char('/') + QLatin1String(store::kDatabaseFile),
        centre_ ? centre_() : CentreUri{}));
    note_ = source_->Note();
    if (!source_->Db().isOpen()) {
        status_->setText(tr("The results cannot be read: %1").arg(note_));
        return false;
    }
    return true;
}

QSqlDatabase ProgressTab::database() const {
    return source_ ? source_->Db() : QSqlDatabase();
}

store::ProgressQueries ProgressTab::queries() const {
    return store::ProgressQueries(database());
}

void ProgressTab::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // New results may have come since the tab was last shown.
    if (openDatabase()) Refresh();
}

void ProgressTab::Refresh() {
    typing_->stop();
    trainees_->setSortingEnabled(false);
    trainees_->setRowCount(0);
    errors_->setRowCount(0);
    rows_.clear();
    if (!database().isOpen()) return;
    const store::ProgressFilter filter = Filter();
    store::ProgressQueries q = queries();
    rows_ = q.Trainees(filter);
    const std::vector<store::ErrorCount> errors = q.Errors(filter);
    if (!q.Failure().isEmpty()) {
        status_->setText(tr("The results cannot be read: %1").arg(q.Failure()));
        return;
    }
    int attempts = 0;
    trainees_->setRowCount(int(rows_.size()));
    for (int r = 0; r < int(rows_.size()); ++r) {
        const store::TraineeSummary& t = rows_[size_t(r)];
        attempts += t.attempts;
        QTableWidgetItem* cells[] = {
            new SortItem(t.name, t.name),
            new SortItem(t.id, t.id),
            new SortItem(QString::number(t.attempts), t.attempts),
            new SortItem(WhenText(t.lastStarted).left(10), t.lastStarted),
            new SortItem(QString::number(t.bestScore), t.bestScore),
            new SortItem(QString::number(t.lastScore), t.lastScore),
            new SortItem(QString::number(t.testsPassed), t.testsPassed),
            new SortItem(ClockText(t.medianFirstShockMs), keyOf(t.medianFirstShockMs)),
            new SortItem(PercentText(t.medianCprFraction), keyOf(t.medianCprFraction)),
        };
        cells[0]->setData(kRowIndex, r);
        for (int c = 0; c < int(std::size(cells)); ++c)
            trainees_->setItem(r, c, cells[c]);
    }
    trainees_->setSortingEnabled(true);
    trainees_->resizeColumnsToContents();
    errors_->setRowCount(int(errors.size()));
    for (int r = 0; r < int(errors.size()); ++r) {
        errors_->setItem(r, 0, new QTableWidgetItem(errors[size_t(r)].error));
        errors_->setItem(
            r, 1, new SortItem(QString::number(errors[size_t(r)].count), errors[size_t(r)].count));
    }
    status_->setText(CountText(int(rows_.size()), tr("trainee"), tr("trainees")) +
                     QStringLiteral(", ") + CountText(attempts, tr("attempt"), tr("attempts")));
    status_->setToolTip(tr("From %1").arg(note_));
}

TraineeWindow* ProgressTab::OpenTrainee(int row) {
    const QTableWidgetItem* first = row >= 0 ? trainees_->item(row, 0) : nullptr;
    if (!first) return nullptr;
    const store::TraineeSummary& t = rows_[size_t(first->data(kRowIndex).toInt())];
    auto* window = new TraineeWindow(
        t, queries().AttemptsOf(t.name, t.id, Filter()),
        [this](const QString& uuid) { return queries().Debrief(uuid); }, this);
    window->show();
    return window;
}

std::vector<store::Attempt> ProgressTab::FilteredAttempts() {
    return queries().Attempts(Filter());
}

bool ProgressTab::ExportCsv(const QString& path) {
    store::ProgressQueries q = queries();
    const QByteArray csv = store::AttemptsCsv(q.Attempts(Filter()));
    QSaveFile file(path);
    QString why = q.Failure();
    if (why.isEmpty()) {
        if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit())
            return true;
        why = file.errorString();
    }
    QMessageBox::warning(this, tr("Export CSV"),
                         tr("The attempts could not be saved as %1: %2").arg(path, why));
    return false;
}

void ProgressTab::exportCsv() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Export CSV"),
                                                      programDir_ + QStringLiteral("/attempts.csv"),
                                                      tr("CSV file (*.csv)"));
    if (!path.isEmpty()) ExportCsv(path);
}

bool ProgressTab::ExportXapi(const QString& path) {
    store::ProgressQueries q = queries();
    QStringList uuids;
    for (const store::Attempt& attempt : q.Attempts(Filter()))
        uuids << attempt.uuid;
    QString why = q.Failure();
    if (why.isEmpty() && xapi::ExportStatements(database(), uuids, xapiSettings_(), path, &why))
        return true;
    QMessageBox::warning(this, tr("Export xAPI"),
                         tr("The statements could not be saved as %1: %2").arg(path, why));
    return false;
}

void ProgressTab::exportXapi() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export xAPI"), programDir_ + QStringLiteral("/statements.json"),
        tr("JSON file (*.json)"));
    if (!path.isEmpty()) ExportXapi(path);
}

}  // namespace ardentix::ui
