#include "store/progress_queries.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "records/debrief.h"

namespace ardentix::store {

namespace {

// The latest attempt of a trainee is the one started last; of two started at the same second, the
// one recorded last; then the greater uuid, so that the choice never depends on the order the
// rows happen to come in. The lists of attempts go by the same rule.
constexpr const char* kOldestFirst = "started_at, recorded_at, uuid";

constexpr const char* kAttemptColumns =
    "uuid, trainee_name, trainee_id, mode, profile, started_at, elapsed_ms, first_shock_ms, "
    "score, outcome, passed, cpr_fraction, patient_category, patient_age, shocks_needed, station, "
    "recorded_at";

// The WHERE of the filter's days and mode, its values in order. started_at begins with the
// station's date, so a day's attempts lie between its date and the next day's as text; the name
// is matched afterwards, where a name's case is folded as Qt folds it (SQL's LOWER leaves
// letters beyond ASCII alone in SQLite).
struct Where {
    QString sql;
    QVariantList values;
};

// `table` names the attempts' table in a join ("a.").
Where whereOf(const ProgressFilter& f, const QString& table = {}) {
    Where w;
    QStringList terms;
    if (f.from.isValid()) {
        terms << table + QStringLiteral("started_at >= ?");
        w.values << f.from.toString(Qt::ISODate);
    }
    if (f.to.isValid()) {
        terms << table + QStringLiteral("started_at < ?");
        w.values << f.to.addDays(1).toString(Qt::ISODate);
    }
    if (!f.mode.isEmpty()) {
        terms << table + QStringLiteral("mode = ?");
        w.values << f.mode;
    }
    w.sql = terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(" AND ");
    return w;
}

// The WHERE above with one more term.
Where also(Where w, const QString& term, const QVariantList& values = {}) {
    w.sql += (w.sql.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + term;
    w.values += values;
    return w;
}

// A null QString would be bound as NULL, which equals nothing.
QString text(const QString& s) {
    return s.isNull() ? QStringLiteral("") : s;
}

bool nameMatches(const ProgressFilter& f, const QString& name) {
    return f.name.isEmpty() || name.contains(f.name, Qt::CaseInsensitive);
}

std::optional<int> optionalInt(const QVariant& v) {
    if (v.isNull()) return std::nullopt;
    return v.toInt();
}

std::optional<double> optionalDouble(const QVariant& v) {
    if (v.isNull()) return std::nullopt;
    return v.toDouble();
}

Attempt attemptOf(const QSqlQuery& q) {
    Attempt a;
    a.uuid = q.value(0).toString();
    a.name = q.value(1).toString();
    a.id = q.value(2).toString();
    a.mode = q.value(3).toString();
    a.profile = q.value(4).toString();
    a.startedAt = q.value(5).toString();
    a.elapsedMs = q.value(6).toInt();
    a.firstShockMs = optionalInt(q.value(7));
    a.score = q.value(8).toInt();
    a.outcome = q.value(9).toString();
    if (!q.value(10).isNull()) a.passed = q.value(10).toInt() != 0;
    a.cprFraction = optionalDouble(q.value(11));
    a.patientCategory = q.value(12).toInt();
    a.patientAge = q.value(13).toInt();
    a.shocksNeeded = q.value(14).toInt();
    a.station = q.value(15).toString();
    a.recordedAt = q.value(16).toString();
    return a;
}

// The values of a column of each group as one text, separated by commas, NULLs left out.
QString listOf(const QSqlDatabase& db, const char* column) {
    const QString name = QLatin1String(column);
    if (db.driverName() == QLatin1String("QPSQL"))
        return QStringLiteral("STRING_AGG(CAST(%1 AS TEXT), ',')").arg(name);
    return QStringLiteral("GROUP_CONCAT(%1)").arg(name);
}

}  // namespace

namespace {

// Runs a query with its values; false (with the reason kept) when the database refuses it.
bool run(QSqlDatabase& db, QSqlQuery& q, const QString& sql, const QVariantList& values,
         QString& failure) {
    q = QSqlQuery(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        failure = q.lastError().text();
        return false;
    }
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        failure = q.lastError().text();
        return false;
    }
    return true;
}

// The attempts a condition lets through, oldest first; with a filter given, only those whose
// name it matches.
std::vector<Attempt> selectAttempts(QSqlDatabase& db, const Where& w, const ProgressFilter* byName,
                                    QString& failure) {
    QSqlQuery q;
    if (!run(db, q,
             QStringLiteral("SELECT %1 FROM attempts%2 ORDER BY %3")
                 .arg(QLatin1String(kAttemptColumns), w.sql, QLatin1String(kOldestFirst)),
             w.values, failure)) {
        return {};
    }
    std::vector<Attempt> list;
    while (q.next()) {
        if (!byName || nameMatches(*byName, q.value(1).toString())) list.push_back(attemptOf(q));
    }
    return list;
}

}  // namespace

std::vector<TraineeSummary> ProgressQueries::Trainees(const ProgressFilter& filter) {
    failure_.clear();
    const Where w = whereOf(filter);
    // One GROUP BY, no sort beyond it: the latest attempt is the greatest of its started_at,
    // recorded_at and uuid joined (each of them a fixed form of text, '|' above every character
    // they use), with its score at the end; the values of the medians come as lists.
    QSqlQuery q;
    if (!run(db_, q,
             QStringLiteral("SELECT trainee_name, trainee_id, COUNT(*), MAX(score),"
                            " SUM(CASE WHEN passed = 1 THEN 1 ELSE 0 END),"
                            " MAX(started_at || '|' || recorded_at || '|' || uuid || '|' ||"
                            " CAST(score AS TEXT)), %1, %2"
                            " FROM attempts%3 GROUP BY trainee_name, trainee_id")
                 .arg(listOf(db_, "first_shock_ms"), listOf(db_, "cpr_fraction"), w.sql),
             w.values, failure_)) {
        return {};
    }
    std::vector<TraineeSummary> list;
    while (q.next()) {
        TraineeSummary t;
        t.name = q.value(0).toString();
        if (!nameMatches(filter, t.name)) continue;
        t.id = q.value(1).toString();
        t.attempts = q.value(2).toInt();
        t.bestScore = q.value(3).toInt();
        t.testsPassed = q.value(4).toInt();
        const QStringList latest = q.value(5).toString().split(QLatin1Char('|'));
        t.lastStarted = latest.value(0);
        t.lastScore = latest.value(3).toInt();
        std::vector<int> shocks;
        std::vector<double> fractions;
        const QString shockList = q.value(6).toString(), fractionList = q.value(7).toString();
        for (QStringView v : QStringView(shockList).tokenize(u',', Qt::SkipEmptyParts))
            shocks.push_back(v.toInt());
        for (QStringView v : QStringView(fractionList).tokenize(u',', Qt::SkipEmptyParts))
            fractions.push_back(v.toDouble());
        t.medianFirstShockMs = MedianOf(std::move(shocks));
        t.medianCprFraction = MedianOf(std::move(fractions));
        list.push_back(std::move(t));
    }
    // By name as people sort names, then by ID.
    std::sort(list.begin(), list.end(), [](const TraineeSummary& a, const TraineeSummary& b) {
        const int byName = QString::localeAwareCompare(a.name, b.name);
        return byName != 0 ? byName < 0 : a.id < b.id;
    });
    return list;
}

std::vector<Attempt> ProgressQueries::Attempts(const ProgressFilter& filter) {
    failure_.clear();
    return selectAttempts(db_, whereOf(filter), &filter, failure_);
}

std::vector<Attempt> ProgressQueries::AttemptsOf(const QString& name, const QString& id,
                                                 const ProgressFilter& filter) {
    failure_.clear();
    const Where w = also(whereOf(filter), QStringLiteral("trainee_name = ? AND trainee_id = ?"),
                         {text(name), text(id)});
    return selectAttempts(db_, w, nullptr, failure_);
}

std::vector<ErrorCount> ProgressQueries::Errors(const ProgressFilter& filter) {
    failure_.clear();
    Where w = whereOf(filter, QStringLiteral("a."));
    // A name to match: the names of the days and mode that hold it, looked up by name then.
    if (!filter.name.isEmpty()) {
        const Where days = whereOf(filter);
        QSqlQuery q;
        if (!run(db_, q, QStringLiteral("SELECT DISTINCT trainee_name FROM attempts") + days.sql,
                 days.values, failure_)) {
            return {};
        }
        QVariantList names;
        while (q.next()) {
            if (nameMatches(filter, q.value(0).toString())) names << q.value(0);
        }
        if (names.isEmpty()) return {};
        QStringList marks;
        marks.fill(QStringLiteral("?"), names.size());
        w = also(w, QStringLiteral("a.trainee_name IN (%1)").arg(marks.join(',')), names);
    }
    // Counted by the line as stored; the lines that differ only in their points are one error.
    // Without any filter the attempts need not be read at all.
    const QString sql =
        w.sql.isEmpty() ? QStringLiteral("SELECT text, COUNT(*) FROM attempt_errors GROUP BY text")
                        : QStringLiteral(
                              "SELECT e.text, COUNT(*) FROM attempt_errors AS e"
                              " JOIN attempts AS a ON a.uuid = e.uuid%1 GROUP BY e.text")
                              .arg(w.sql);
    QSqlQuery q;
    if (!run(db_, q, sql, w.values, failure_)) return {};
    std::map<QString, int> counts;
    while (q.next()) {
        counts[ErrorGroup(q.value(0).toString())] += q.value(1).toInt();
    }
    std::vector<ErrorCount> list;
    for (const auto& [error, count] : counts)
        list.push_back({error, count});
    std::stable_sort(list.begin(), list.end(),
                     [](const ErrorCount& a, const ErrorCount& b) { return a.count > b.count; });
    return list;
}

StoredDebrief ProgressQueries::Debrief(const QString& uuid) {
    failure_.clear();
    StoredDebrief d;
    QSqlQuery q;
    if (!run(db_, q,
             QStringLiteral("SELECT at_ms, kind, text, verdict, points FROM attempt_events"
                            " WHERE uuid = ? ORDER BY seq"),
             {uuid}, failure_)) {
        return {};
    }
    while (q.next()) {
        d.events.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                            q.value(3).toString(), q.value(4).toInt()});
    }
    if (!run(db_, q, QStringLiteral("SELECT name, value FROM attempt_figures WHERE uuid = ?"),
             {uuid}, failure_)) {
        return {};
    }
    while (q.next())
        d.figures.push_back({q.value(0).toString(), q.value(1).toString()});
    if (!run(db_, q, QStringLiteral("SELECT text FROM attempt_errors WHERE uuid = ? ORDER BY seq"),
             {uuid}, failure_)) {
        return {};
    }
    while (q.next())
        d.errors.push_back(q.value(0).toString());
    return d;
}

int MiddleMedian(int low, int high) {
    // A half rounded up, also below zero: floor((low + high + 1) / 2).
    const long long sum = static_cast<long long>(low) + high + 1;
    return static_cast<int>(sum >= 0 ? sum / 2 : (sum - 1) / 2);
}

double MiddleMedian(double low, double high) {
    // In tenths of a percent, as the debrief shows a fraction: 70.0 and 80.1 give 75.1.
    return MiddleMedian(static_cast<int>(std::lround(low * 10)),
                        static_cast<int>(std::lround(high * 10))) /
           10.0;
}

std::optional<int> MedianOf(std::vector<int> values) {
    if (values.empty()) return std::nullopt;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return MiddleMedian(values[(n - 1) / 2], values[n / 2]);
}

std::optional<double> MedianOf(std::vector<double> values) {
    if (values.empty()) return std::nullopt;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return MiddleMedian(values[(n - 1) / 2], values[n / 2]);
}

QString ErrorGroup(const QString& line) {
    static const QRegularExpression points(QStringLiteral("\\s*\\([+-]?\\d+\\)\\s*\\.?\\s*$"));
    QString group = line;
    group.remove(points);
    group = group.trimmed();
    while (group.endsWith(QLatin1Char('.')))
        group.chop(1);
    return group;
}

namespace {

std::string field(const QString& text) {
    return CsvField(text.toStdString());
}

std::string field(const std::optional<int>& v) {
    return v ? std::to_string(*v) : std::string();
}

std::string field(const std::optional<double>& v) {
    return v ? QString::number(*v, 'f', 1).toStdString() : std::string();
}

}  // namespace

QByteArray AttemptsCsv(const std::vector<Attempt>& attempts) {
    std::string csv = QString::fromLatin1(kAttemptColumns).remove(' ').toStdString() + "\r\n";
    for (const Attempt& a : attempts) {
        const std::string passed = a.passed ? (*a.passed ? "1" : "0") : "";
        const std::string cells[] = {field(a.uuid),
                                     field(a.name),
                                     field(a.id),
                                     field(a.mode),
                                     field(a.profile),
                                     field(a.startedAt),
                                     std::to_string(a.elapsedMs),
                                     field(a.firstShockMs),
                                     std::to_string(a.score),
                                     field(a.outcome),
                                     passed,
                                     field(a.cprFraction),
                                     std::to_string(a.patientCategory),
                                     std::to_string(a.patientAge),
                                     std::to_string(a.shocksNeeded),
                                     field(a.station),
                                     field(a.recordedAt)};
        for (size_t i = 0; i < std::size(cells); ++i)
            csv += (i ? "," : "") + cells[i];
        csv += "\r\n";
    }
    return QByteArray::fromStdString(csv);
}

}  // namespace ardentix::store
