#pragma once
// Writes many plausible attempts into a results database at once, for the Progress tab's
// benchmark and screenshots: a class of trainees training over two years, Practice more often
// than Test, scores, shocks and CPR fractions spread as a class spreads them, the summary's
// usual error lines, and a short debrief for each. One transaction, prepared statements.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <random>

namespace ardentix::test {

inline bool GenerateAttempts(QSqlDatabase& db, int count, int trainees = 300,
                             unsigned seed = 4711) {
    static const char* kFirst[] = {"Kim",  "Lou",   "Åsa",    "Noah", "Mia",  "Jonas",
                                   "Zoë",  "Ravi",  "Ines",   "Tom",  "Hana", "Pablo",
                                   "Olga", "Femi",  "Lena",   "Omar", "Ada",  "Yuki",
                                   "Ben",  "Carla", "Dmitri", "Eve",  "Finn", "Gül"};
    static const char* kLast[] = {"Lee",      "Berg",   "Novak",  "Okafor", "Schmidt",
                                  "García",   "Jensen", "Rossi",  "Tanaka", "Dubois",
                                  "Kowalski", "Murphy", "Nguyen", "Silva",  "Weber"};
    static const char* kErrors[] = {
        "Did not call for help (-50).",
        "Did not check responsiveness first (-50).",
        "Did not check pulse after No Shock Advised (-50).",
        "Touched patient while AED was analyzing (-50).",
        "Did not analyze immediately after shock (-100).",
        "Did not shock when Shock Advised (-200).",
        "Slow first shock (-100).",
        "Did not clear patient before shock (-100).",
        "Pause in CPR longer than 10 seconds (-50).",
        "CPR fraction below 60 percent (-100).",
        "Did not give rescue breaths (-50).",
        "Did not attach pads to bare chest (-50).",
    };
    std::mt19937 random(seed);
    const auto pick = [&](int n) { return static_cast<int>(random() % unsigned(n)); };
    const auto chance = [&](int percent) { return pick(100) < percent; };

    QSqlQuery attempt(db), error(db), event(db), figure(db);
    if (!db.transaction()) return false;
    const bool prepared =
        attempt.prepare(QStringLiteral("INSERT INTO attempts VALUES "
                                       "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")) &&
        error.prepare(QStringLiteral("INSERT INTO attempt_errors VALUES (?, ?, ?)")) &&
        event.prepare(QStringLiteral("INSERT INTO attempt_events VALUES (?, ?, ?, ?, ?, ?, ?)")) &&
        figure.prepare(QStringLiteral("INSERT INTO attempt_figures VALUES (?, ?, ?)"));
    if (!prepared) return false;
    const QDateTime first(QDate(2025, 1, 6), QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        const int who = pick(trainees);
        const QString name =
            QString::fromUtf8(kFirst[who % std::size(kFirst)]) + ' ' +
            QString::fromUtf8(kLast[(who / std::size(kFirst)) % std::size(kLast)]) +
            (who >= int(std::size(kFirst) * std::size(kLast)) ? QStringLiteral(" %1").arg(who)
                                                              : QString());
        const bool test = chance(30);
        const bool current = chance(50);
        // Spread over two years of working days and hours, at the station's winter or summer
        // offset.
        const QDateTime when = first.addDays(pick(720)).addSecs(pick(9 * 3600));
        const QString offset = (when.date().month() >= 4 && when.date().month() <= 10)
                                   ? QStringLiteral("+02:00")
                                   : QStringLiteral("+01:00");
        const QString started = when.toString(Qt::ISODate) + offset;
        const int errors = pick(5);
        const bool shock = !chance(15);
        const int firstShock = 40000 + pick(140000);
        const double fraction = 40 + pick(560) / 10.0;
        const int score = 1000 - errors * 60 - pick(150);
        const QString uuid = QStringLiteral("%1-0000-4000-8000-%2")
                                 .arg(i, 8, 16, QChar('0'))
                                 .arg(seed, 12, 16, QChar('0'));
        const QVariantList values = {uuid,
                                     name,
                                     who % 3 == 0 ? QString::number(1000 + who) : QString(""),
                                     test ? "Test" : "Practice",
                                     current ? "Current" : "Classic",
                                     started,
                                     240000 + pick(360000),
                                     shock ? QVariant(firstShock) : QVariant(),
                                     score,
                                     chance(3) ? "terminated" : "completed",
                                     test ? QVariant(errors == 0 ? 1 : 0) : QVariant(),
                                     fraction,
                                     pick(5),
                                     18 + pick(60),
                                     1 + pick(3),
                                     QStringLiteral("station%1").arg(1 + pick(4)),
                                     when.addSecs(600).toString(Qt::ISODate) + offset};
        for (int v = 0; v < values.size(); ++v)
            attempt.bindValue(v, values[v]);
        if (!attempt.exec()) return false;
        for (int e = 0; e < errors; ++e) {
            error.bindValue(0, uuid);
            error.bindValue(1, e);
            error.bindValue(2, QString::fromLatin1(kErrors[pick(std::size(kErrors))]));
            if (!error.exec()) return false;
        }
        const std::tuple<int, const char*, const char*, const char*, int> events[] = {
            {1000, "action", "Response", "rewarded", 10},
            {4000, "action", "Call911", errors > 0 ? "deduction" : "rewarded", 10},
            {9000, "cpr", "CPR running", "neutral", 0},
            {30000, "action", "Power", "rewarded", 10},
            {firstShock - 9000, "cpr", "CPR stopped", "neutral", 0},
            {firstShock - 8000, "device", "Analysis started", "neutral", 0},
            {firstShock - 3000, "device", "SHOCK ADVISED", "neutral", 0},
            {firstShock, "device", "Shock delivered", "rewarded", 50},
            {firstShock + 3000, "cpr", "CPR running", "neutral", 0},
        };
        int seq = 0;
        for (const auto& [ms, kind, text, verdict, points] : events) {
            const QVariantList row = {uuid, seq++, ms, kind, text, verdict, points};
            for (int v = 0; v < row.size(); ++v)
                event.bindValue(v, row[v]);
            if (!event.exec()) return false;
        }
        const std::pair<const char*, QString> figures[] = {
            {"TimeToFirstShock", QString::number(firstShock)},
            {"CPRFraction", QString::number(fraction, 'f', 1)},
            {"Deductions", QString::number(errors)},
        };
        for (const auto& [figureName, value] : figures) {
            figure.bindValue(0, uuid);
            figure.bindValue(1, QString::fromLatin1(figureName));
            figure.bindValue(2, value);
            if (!figure.exec()) return false;
        }
    }
    return db.commit();
}

}  // namespace ardentix::test
