#pragma once
// A results database in a real SQLite file for the tests and the benchmark of the Progress tab,
// opened by the store as the program opens it, and attempts written into it as the store writes
// them.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

#include "store/database.h"

namespace ardentix::test {

// One attempt with the lines of its debrief; the fields the tests leave alone have plain values.
struct AttemptRecord {
    QString uuid;
    QString name = QStringLiteral("Kim Lee");
    QString id = QStringLiteral("");  // empty, never NULL
    QString mode = QStringLiteral("Practice");
    QString profile = QStringLiteral("Classic");
    QString startedAt = QStringLiteral("2026-12-08T09:15:00+01:00");
    int elapsedMs = 300000;
    std::optional<int> firstShockMs;
    int score = 1000;
    QString outcome = QStringLiteral("completed");
    std::optional<int> passed;
    std::optional<double> cprFraction;
    QString recordedAt;  // startedAt when empty
    QStringList errors;
    struct Event {
        int atMs;
        QString kind, text, verdict;
        int points;
    };
    std::vector<Event> events;
    std::vector<std::pair<QString, QString>> figures;
};

class ResultsFile {
  public:
    // Opens (creating) the file as the program does: its tables brought to the latest version.
    explicit ResultsFile(const QString& path) : results_(path) {
        if (const auto failure = results_.Open()) failure_ = *failure;
    }

    bool Ok() const { return results_.IsOpen(); }
    QSqlDatabase& Db() { return results_.Db(); }
    QString Failure() const { return failure_; }

    bool Add(const AttemptRecord& a) {
        const auto nullable = [](const auto& v) { return v ? QVariant(*v) : QVariant(); };
        return exec(QStringLiteral("INSERT INTO attempts VALUES "
                                   "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 45, 1, 'station1', ?)"),
                    {a.uuid, a.name, a.id, a.mode, a.profile, a.startedAt, a.elapsedMs,
                     nullable(a.firstShockMs), a.score, a.outcome, nullable(a.passed),
                     nullable(a.cprFraction),
                     a.recordedAt.isEmpty() ? a.startedAt : a.recordedAt}) &&
               addLines(a);
    }

  private:
    bool addLines(const AttemptRecord& a) {
        for (int i = 0; i < a.errors.size(); ++i) {
            if (!exec(QStringLiteral("INSERT INTO attempt_errors VALUES (?, ?, ?)"),
                      {a.uuid, i, a.errors[i]}))
                return false;
        }
        for (size_t i = 0; i < a.events.size(); ++i) {
            const AttemptRecord::Event& e = a.events[i];
            if (!exec(QStringLiteral("INSERT INTO attempt_events VALUES (?, ?, ?, ?, ?, ?, ?)"),
                      {a.uuid, int(i), e.atMs, e.kind, e.text, e.verdict, e.points}))
                return false;
        }
        for (const auto& [name, value] : a.figures) {
            if (!exec(QStringLiteral("INSERT INTO attempt_figures VALUES (?, ?, ?)"),
                      {a.uuid, name, value}))
                return false;
        }
        return true;
    }

    bool exec(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q(results_.Db());
        if (!q.prepare(sql)) {
            failure_ = q.lastError().text();
            return false;
        }
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec()) {
            failure_ = q.lastError().text();
            return false;
        }
        return true;
    }

    store::ResultsDb results_;
    QString failure_;
};

}  // namespace ardentix::test
