// Writes the statements of every kind of attempt, read from a real results database, to a file
// as the program exports them: validate.js checks them against the xAPI rules.
//     xapi_statement_kinds FILE
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "results_db.h"
#include "xapi/attempt_rows.h"
#include "xapi/export_file.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    QTemporaryDir dir;
    QSqlDatabase db = ardentix::test::OpenResults(dir.filePath("ARDENTIX.DB"), "kinds");
    for (const ardentix::test::AttemptKind& kind : ardentix::test::EveryKind())
        ardentix::test::WriteAttempt(db, kind.attempt, kind.points);
    QString error;
    // The first-start base and home page, and an instructor's.
    ardentix::xapi::LrsSettings settings;
    const QStringList ids = ardentix::xapi::AttemptIds(db, &error);
    if (!ardentix::xapi::ExportStatements(db, ids, settings, QString::fromLocal8Bit(argv[1]),
                                          &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    settings.homePage = QStringLiteral("https://centre.example/people/");
    settings.activityBase = QStringLiteral("https://centre.example/aed/");
    const QString second = QString::fromLocal8Bit(argv[1]) + QStringLiteral(".2");
    if (!ardentix::xapi::ExportStatements(db, ids, settings, second, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(ids.size()));
    return ids.isEmpty() ? 1 : 0;
}
