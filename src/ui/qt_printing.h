#pragma once
#include <QFont>
#include <QPrinter>
#include <QString>
#include <vector>

#include "core/ports.h"
#include "ui/modules/module_api.h"
#include "ui/text_font.h"

class QWidget;

namespace ardentix::ui {

// A line of a print job as it goes onto the page: its text and its font for the printer.
struct PageLine {
    QString text;
    QFont font;
};

// How a print job stands on the page. A job that fits the printable width prints as it is. A
// wider one keeps its columns: the blanks in front of all its lines go into the margin and it is
// centred; still too wide, it is shrunk to the width, equal margins left and right; and a line
// too wide even at the smallest type (6 points) is wrapped, its continuation indented like it.
// The width is the printable area's, in the pixels of the device the fonts are measured on.
struct PageFit {
    qreal scale = 1;  // of every font and line height of the job
    qreal left = 0;   // where each line's first character stands on the printable area
    std::vector<PageLine> lines;
};
PageFit FitToWidth(const std::vector<PrintLine>& lines, qreal width, const QPaintDevice* device);

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
