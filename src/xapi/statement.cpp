#include "xapi/statement.h"

#include <QJsonArray>
#include <algorithm>
#include <array>

namespace ardentix::xapi {

namespace {

constexpr const char* kVerbs = "http://adlnet.gov/expapi/verbs/";
constexpr const char* kSimulation = "http://adlnet.gov/expapi/activities/simulation";

// The patient categories of the database, by number, as they appear in activity IRIs and names.
struct Patient {
    const char* slug;
    const char* name;
};
constexpr std::array<Patient, 5> kPatients = {{
    {"adult", "adult"},
    {"child", "child at or above the pediatric minimum"},
    {"small-child", "child below the pediatric minimum"},
    {"hypothermic-adult", "hypothermic adult"},
    {"adult-long-series", "adult with a long shock series"},
}};

QString patientSlug(int category) {
    if (category >= 0 && category < static_cast<int>(kPatients.size()))
        return QString::fromLatin1(kPatients[static_cast<size_t>(category)].slug);
    return QStringLiteral("category-%1").arg(category);
}

QString patientName(int category) {
    if (category >= 0 && category < static_cast<int>(kPatients.size()))
        return QString::fromLatin1(kPatients[static_cast<size_t>(category)].name);
    return QStringLiteral("patient of category %1").arg(category);
}

QJsonObject english(const QString& text) {
    return {{QStringLiteral("en-US"), text}};
}

QJsonObject verb(const QString& name) {
    return {{QStringLiteral("id"), QString::fromLatin1(kVerbs) + name},
            {QStringLiteral("display"), english(name)}};
}

bool terminated(const Attempt& a) {
    return a.outcome == QLatin1String("terminated");
}
bool isTest(const Attempt& a) {
    return a.mode == QLatin1String("Test");
}

// A completed practice is completed; a test passed or failed as the database says; a terminated
// attempt failed.
QString verbName(const Attempt& a) {
    if (terminated(a)) return QStringLiteral("failed");
    if (isTest(a))
        return a.passed.value_or(false) ? QStringLiteral("passed") : QStringLiteral("failed");
    return QStringLiteral("completed");
}

QJsonObject actor(const Attempt& a, const LrsSettings& s) {
    // The account names the trainee by the ID typed at the log-in, by the name without one.
    QString account =
        a.traineeId.trimmed().isEmpty() ? a.traineeName.trimmed() : a.traineeId.trimmed();
    if (account.isEmpty()) account = QStringLiteral("unnamed");
    QJsonObject agent{
        {QStringLiteral("objectType"), QStringLiteral("Agent")},
        {QStringLiteral("account"), QJsonObject{{QStringLiteral("homePage"), s.homePage.trimmed()},
                                                {QStringLiteral("name"), account}}}};
    if (!a.traineeName.trimmed().isEmpty())
        agent.insert(QStringLiteral("name"), a.traineeName.trimmed());
    return agent;
}

QJsonObject activity(const Attempt& a, const QString& base) {
    const QJsonObject patient{{QStringLiteral("category"), a.patientCategory},
                              {QStringLiteral("kind"), patientSlug(a.patientCategory)},
                              {QStringLiteral("age"), a.patientAge},
                              {QStringLiteral("shocksNeeded"), a.shocksNeeded}};
    const QJsonObject definition{
        {QStringLiteral("type"), QString::fromLatin1(kSimulation)},
        {QStringLiteral("name"), english(QStringLiteral("Defibrillation scenario, %1 protocol, %2")
                                             .arg(a.profile, patientName(a.patientCategory)))},
        {QStringLiteral("extensions"),
         QJsonObject{{base + QStringLiteral("/extension/protocol"), a.profile},
                     {base + QStringLiteral("/extension/patient"), patient}}}};
    return {{QStringLiteral("objectType"), QStringLiteral("Activity")},
            {QStringLiteral("id"), ActivityIri(a, base)},
            {QStringLiteral("definition"), definition}};
}

// A figure's value as a number where it is one ("12.5", "3200"), else as its text.
QJsonValue figureValue(const QString& text) {
    bool number = false;
    const double value = text.toDouble(&number);
    return number ? QJsonValue(value) : QJsonValue(text);
}

QJsonObject result(const Attempt& a, const QString& base) {
    const Score score = ScoreOf(a);
    QJsonObject extensions;
    for (const auto& [name, value] : a.figures)
        extensions.insert(FigureIri(name, base), figureValue(value));
    if (a.firstShockMs)
        extensions.insert(base + QStringLiteral("/extension/first-shock-ms"),
                          static_cast<double>(*a.firstShockMs));
    if (!a.errors.isEmpty())
        extensions.insert(base + QStringLiteral("/extension/errors"),
                          QJsonArray::fromStringList(a.errors));
    QJsonObject r{{QStringLiteral("score"), QJsonObject{{QStringLiteral("raw"), score.raw},
                                                        {QStringLiteral("min"), score.min},
                                                        {QStringLiteral("max"), score.max},
                                                        {QStringLiteral("scaled"), score.scaled}}},
                  {QStringLiteral("completion"), !terminated(a)},
                  {QStringLiteral("duration"), IsoDuration(a.elapsedMs)}};
    // Practice has no pass mark: its statements leave success out.
    if (terminated(a))
        r.insert(QStringLiteral("success"), false);
    else if (isTest(a))
        r.insert(QStringLiteral("success"), a.passed.value_or(false));
    if (!extensions.isEmpty()) r.insert(QStringLiteral("extensions"), extensions);
    return r;
}

}  // namespace

Score ScoreOf(const Attempt& a) {
    Score s;
    s.raw = a.score;
    s.max = std::max({a.pointsEarned, a.score, 0});
    s.min = std::min({a.pointsDeducted, a.score, 0});
    if (s.raw > 0)
        s.scaled = static_cast<double>(s.raw) / s.max;
    else if (s.raw < 0)
        s.scaled = static_cast<double>(s.raw) / -s.min;
    return s;
}

QString IsoDuration(qint64 ms) {
    const qint64 hundredths = std::max<qint64>(ms, 0) / 10;
    const qint64 hours = hundredths / 360000;
    const qint64 minutes = hundredths / 6000 % 60;
    const qint64 seconds = hundredths / 100 % 60;
    const qint64 fraction = hundredths % 100;
    QString text = QStringLiteral("PT");
    if (hours > 0) text += QString::number(hours) + QLatin1Char('H');
    if (hours > 0 || minutes > 0) text += QString::number(minutes) + QLatin1Char('M');
    text += QString::number(seconds);
    if (fraction > 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
        if (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return text + QLatin1Char('S');
}

QString BaseIri(const QString& base) {
    QString iri = base.trimmed();
    while (iri.endsWith(QLatin1Char('/')))
        iri.chop(1);
    return iri;
}

QString ActivityIri(const Attempt& a, const QString& base) {
    return BaseIri(base) + QStringLiteral("/scenario/") + a.profile.toLower() + QLatin1Char('/') +
           patientSlug(a.patientCategory);
}

QString FigureIri(const QString& name, const QString& base) {
    QString path = name;
    if (path.endsWith(QLatin1Char(')'))) {
        path.chop(1);
        path.replace(QLatin1Char('('), QLatin1Char('/'));
    }
    return BaseIri(base) + QStringLiteral("/figure/") + path;
}

QJsonObject Statement(const Attempt& a, const LrsSettings& s) {
    const QString base = BaseIri(s.activityBase);
    QJsonObject context{{QStringLiteral("platform"), QStringLiteral("Ardentix")},
                        {QStringLiteral("language"), QStringLiteral("en-US")}};
    QJsonObject where{{base + QStringLiteral("/extension/mode"), a.mode}};
    if (!a.station.isEmpty()) where.insert(base + QStringLiteral("/extension/station"), a.station);
    context.insert(QStringLiteral("extensions"), where);
    return {{QStringLiteral("id"), a.uuid},
            {QStringLiteral("version"), QStringLiteral("1.0.3")},
            {QStringLiteral("actor"), actor(a, s)},
            {QStringLiteral("verb"), verb(verbName(a))},
            {QStringLiteral("object"), activity(a, base)},
            {QStringLiteral("result"), result(a, base)},
            {QStringLiteral("context"), context},
            {QStringLiteral("timestamp"), a.startedAt}};
}

}  // namespace ardentix::xapi
