#include "ui/module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLibrary>

namespace ardentix::ui {

namespace {

struct Found {
    void* entry = nullptr;
    QString reason;  // why there is none
};

Found find(const char* module, const char* entry) {
    QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef ARDENTIX_MODULE_DIR
    // Tests and benchmarks run from folders of their own within the build.
    folders << QStringLiteral(ARDENTIX_MODULE_DIR);
#endif
    QString reason;
    for (const QString& folder : folders) {
        // A loaded library stays loaded for the rest of the run; QLibrary only counts it.
        QLibrary library(QDir(folder).filePath(QString::fromLatin1(module)));
        if (!library.load()) {
            if (reason.isEmpty()) reason = library.errorString();
            continue;
        }
        if (void* found = reinterpret_cast<void*>(library.resolve(entry))) return {found, {}};
        reason = QStringLiteral("%1 has no entry %2").arg(library.fileName(), QLatin1String(entry));
    }
    qWarning("The module %s could not be loaded: %s", module, qPrintable(reason));
    return {nullptr, reason};
}

}  // namespace

void* ModuleEntry(const char* module, const char* entry, QString* error) {
    // Asked from the main thread only, as every port of the program is.
    static QHash<QString, Found> known;
    const QString key = QLatin1String(module) + QLatin1Char('/') + QLatin1String(entry);
    auto it = known.find(key);
    if (it == known.end()) it = known.insert(key, find(module, entry));
    if (!it->entry && error) *error = it->reason;
    return it->entry;
}

}  // namespace ardentix::ui
