#include "ui/lazy_printer.h"

#include <QMessageBox>

#include "ui/module_loader.h"
#include "ui/modules/module_api.h"

namespace ardentix::ui {

LazyPrinter::LazyPrinter() = default;
LazyPrinter::~LazyPrinter() = default;

std::optional<std::string> LazyPrinter::Print(const std::string& title,
                                              const std::vector<PrintLine>& lines) {
    QString error;
    PrintDevice* printer = device(&error);
    if (!printer) return "printing is not available: " + error.toStdString();
    return printer->Print(title, lines);
}

bool LazyPrinter::Choose(QWidget* parent) {
    QString error;
    PrintDevice* printer = device(&error);
    if (!printer) {
        QMessageBox::warning(parent, QStringLiteral("Ardentix"),
                             QStringLiteral("Printing is not available: %1").arg(error));
        return false;
    }
    return printer->Choose(parent);
}

PrintDevice* LazyPrinter::device(QString* error) {
    if (!device_) {
        if (auto make = ModuleFunction<decltype(&ArdentixNewPrintDevice)>(
                "ardentix_print", "ArdentixNewPrintDevice", error))
            device_.reset(make());
    }
    return device_.get();
}

}  // namespace ardentix::ui
