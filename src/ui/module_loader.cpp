#include "ui/module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace ardentix::ui {

void* ModuleEntry(const char* module, const char* entry, QString* error) {
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
        if (void* found = reinterpret_cast<void*>(library.resolve(entry))) return found;
        reason = QStringLiteral("%1 has no entry %2").arg(library.fileName(), QLatin1String(entry));
    }
    if (error) *error = reason;
    return nullptr;
}

}  // namespace ardentix::ui
