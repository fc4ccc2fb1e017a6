#pragma once
#include <QFont>
#include <QPrinter>

#include "core/ports.h"
#include "ui/modules/module_api.h"
#include "ui/text_font.h"

class QWidget;

namespace ardentix::ui {

// Prints text jobs on the printer the print dialog chose; where no printer is installed, into a
// PDF file the user names instead.
class QtPrinter : public PrintDevice {
  public:
    QtPrinter();
    std::optional<std::string> Print(const std::string& title,
                                     const std::vector<PrintLine>& lines) override;

    // The print dialog over the parent: false when cancelled. Without a printer the user names a
    // PDF file to print into.
    bool Choose(QWidget* parent) override;
    QPrinter& Device() { return printer_; }

  private:
    QPrinter printer_;
};

}  // namespace ardentix::ui
