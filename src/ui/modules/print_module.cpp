// The print module: text jobs on Qt Print Support.
#include "ui/modules/module_api.h"
#include "ui/qt_printing.h"

extern "C" Q_DECL_EXPORT ardentix::ui::PrintDevice* ArdentixNewPrintDevice() {
    return new ardentix::ui::QtPrinter;
}
