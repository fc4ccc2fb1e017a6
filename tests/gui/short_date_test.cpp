// The short date the program writes into its fixed columns, on Qt's own locales: the Qt clock
// turns the system locale's short date pattern into its numeric form, and every locale Qt knows
// gives a date of at most 8 characters with the locale's order of day, month and year.
#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QtTest>

#include "core/dates.h"
#include "ui/qt_ports.h"

using namespace ardentix;

namespace {

// Where day, month and year first stand in a pattern, by their letters outside quoted text:
// the order the locale writes them in, as "dMy".
QString orderOf(const QString& pattern) {
    QString order;
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted) continue;
        QChar field = c == QLatin1Char('L') ? QLatin1Char('M') : c;
        if (QStringLiteral("dMy").contains(field) && !order.contains(field)) order += field;
    }
    return order;
}

// The numbers of a numeric date in the order they stand, and the one separator between them.
struct Numbers {
    QStringList fields;
    QString separators;
};

Numbers numbersOf(const QString& date) {
    static const QRegularExpression shape(
        QStringLiteral("^(\\d{1,2})([-./])(\\d{1,2})\\2(\\d{1,2})$"));
    const QRegularExpressionMatch m = shape.match(date);
    if (!m.hasMatch()) return {};
    return {{m.captured(1), m.captured(3), m.captured(4)}, m.captured(2)};
}

}  // namespace

class ShortDateTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // The clock writes today in the numeric form of the default locale's pattern: the C locale's
    // "d MMM yyyy" becomes d/M/yy, German stays dd.MM.yy, Swedish is yy-MM-dd.
    void clockFollowsTheLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("format");
        QTest::newRow("C") << QLocale::c() << QStringLiteral("d/M/yy");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates)
                               << QStringLiteral("M/d/yy");
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany)
                               << QStringLiteral("dd.MM.yy");
        QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                               << QStringLiteral("dd/MM/yy");
        QTest::newRow("sv_SE") << QLocale(QLocale::Swedish, QLocale::Sweden)
                               << QStringLiteral("yy-MM-dd");
    }
    void clockFollowsTheLocale() {
        QFETCH(QLocale, locale);
        QFETCH(QString, format);
        QLocale::setDefault(locale);
        ui::QtClock clock;
        const QDate before = QDate::currentDate();
        const QString date = QString::fromStdString(clock.ShortDate());
        const QDate after = QDate::currentDate();
        // Qt's own formatting of the same pattern, in ASCII digits (the C locale's).
        QVERIFY2(date == QLocale::c().toString(before, format) ||
                     date == QLocale::c().toString(after, format),
                 qPrintable(date));
        QVERIFY(date.size() <= 8);
    }

    // Every locale Qt knows: at most 8 characters, numbers and one separator, the year in two
    // digits, day, month and year in the locale's order. The last day of the year tells them apart
    // (31, 12, 26) and is the widest date there is.
    void everyLocaleFitsItsColumns() {
        QList<QLocale> locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory);
        QVERIFY(locales.size() > 100);
        int checked = 0;
        locales << QLocale::c();
        for (const QLocale& locale : locales) {
            const QString pattern = locale.dateFormat(QLocale::ShortFormat);
            const QString date =
                QString::fromStdString(NumericShortDate(pattern.toStdString(), Date{2026, 12, 31}));
            const QString what = locale.name() + QLatin1Char(' ') + pattern + " gives " + date;
            QVERIFY2(date.size() <= 8, qPrintable(what));
            const Numbers numbers = numbersOf(date);
            QVERIFY2(numbers.fields.size() == 3, qPrintable(what));
            const QString order = orderOf(pattern);
            QVERIFY2(order.size() == 3, qPrintable(what));
            for (int i = 0; i < 3; ++i) {
                const QString expected = order[i] == QLatin1Char('d')   ? QStringLiteral("31")
                                         : order[i] == QLatin1Char('M') ? QStringLiteral("12")
                                                                        : QStringLiteral("26");
                QVERIFY2(numbers.fields[i] == expected, qPrintable(what));
            }
            ++checked;
        }
        QCOMPARE(checked, locales.size());
    }
};

QTEST_GUILESS_MAIN(ShortDateTest)
#include "short_date_test.moc"
