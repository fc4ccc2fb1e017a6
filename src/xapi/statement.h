#pragma once
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace ardentix::xapi {

// One attempt as the results database holds it (docs/results-database.md), with what a statement
// needs of its lines: the error list, the debrief's figures and the points of its events.
struct Attempt {
    QString uuid;
    QString traineeName;
    QString traineeId;
    QString mode;       // Practice or Test
    QString profile;    // Classic or Current
    QString startedAt;  // ISO 8601 with the station's offset
    qint64 elapsedMs = 0;
    std::optional<qint64> firstShockMs;
    int score = 0;
    QString outcome;  // completed or terminated
    std::optional<bool> passed;
    std::optional<double> cprFraction;
    int patientCategory = 0;
    int patientAge = 0;
    int shocksNeeded = 0;
    QString station;
    QStringList errors;
    QList<QPair<QString, QString>> figures;  // name, value as scripts read it
    int pointsEarned = 0;                    // every gain of the score's events, added up
    int pointsDeducted = 0;                  // every loss, added up (0 or less)
};

// What the instructor sets for xAPI: who the trainees are to the learning record store (the
// account's home page), where the scenarios' activity IRIs begin, and the store itself.
struct LrsSettings {
    QString homePage = QStringLiteral("http://ardentix.invalid/trainees");
    QString activityBase = QStringLiteral("http://ardentix.invalid/xapi");
    QString endpoint;  // ".../xapi/": statements are posted to ".../xapi/statements"
    QString key;
    QString secret;
    bool send = false;
};

// The score of a statement: raw is the summary's score. max is what the trainee earned (the
// score had nothing been deducted), min what was deducted (the score had nothing been earned),
// each widened to hold raw and 0. scaled is the share of the earned points kept for a score of
// 0 or more (1 without a deduction), and for a negative score the share of the deductions the
// earned points did not make up (-1 when nothing was earned).
struct Score {
    int raw = 0;
    int min = 0;
    int max = 0;
    double scaled = 0;
};
Score ScoreOf(const Attempt& attempt);

// An ISO 8601 duration to the hundredth of a second, as xAPI asks: "PT1M23.45S", "PT0S".
QString IsoDuration(qint64 ms);

// The base IRI without the slashes at its end, so that "BASE/" and "BASE" make the same IRIs.
QString BaseIri(const QString& base);
// The scenario's activity: BASE/scenario/{classic|current}/{patient}.
QString ActivityIri(const Attempt& attempt, const QString& base);
// A figure's result extension: BASE/figure/NAME, "PreShockPause(2)" as "PreShockPause/2".
QString FigureIri(const QString& name, const QString& base);

// The xAPI 1.0.3 statement of an attempt, its id the attempt's UUID.
QJsonObject Statement(const Attempt& attempt, const LrsSettings& settings);

}  // namespace ardentix::xapi
