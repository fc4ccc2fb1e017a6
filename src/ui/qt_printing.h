#pragma once
#include <QFont>
#include <QPrinter>

#include "core/ports.h"

class QWidget;

namespace ardentix::ui {

// The type face of a report's text: the named one, or the system's fixed-pitch face where the
// named one is missing, so that columns stay aligned.
QFont TextFont(const Font& font);

// Prints text jobs on the printer the print dialog chose; where no printer is installed, into a
// PDF file the user names instead.
class QtPrinter : public Printer {
  public:
    QtPrinter();
    std::optional<std::string> Print(const std::string& title,
                                     const std::vector<PrintLine>& lines) override;

    // The print dialog over the parent: false when cancelled. Without a printer the user names a
    // PDF file to print into.
    bool Choose(QWidget* parent);
    QPrinter& Device() { return printer_; }

  private:
    QPrinter printer_;
};

}  // namespace ardentix::ui
