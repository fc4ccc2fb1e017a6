#include "ui/qt_printing.h"

#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace ardentix::ui {

namespace {}  // namespace

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution) {
    // Margins that suit both A4 and Letter.
    printer_.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

bool QtPrinter::Choose(QWidget* parent) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const QString file = QFileDialog::getSaveFileName(
            parent, QStringLiteral("Print to PDF file"),
            QDir::home().filePath(QStringLiteral("Ardentix report.pdf")),
            QStringLiteral("PDF files (*.pdf)"));
        if (file.isEmpty()) return false;
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
                                       ? file
                                       : file + QStringLiteral(".pdf"));
        return true;
    }
    // A PDF file named for an earlier job is not this job's destination.
    printer_.setOutputFileName(QString());
    printer_.setOutputFormat(QPrinter::NativeFormat);
    QPrintDialog dialog(&printer_, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::string> QtPrinter::Print(const std::string& title,
                                            const std::vector<PrintLine>& lines) {
    printer_.setDocName(QString::fromStdString(title));
    QPainter p;
    if (!p.begin(&printer_)) return std::string("the printer could not be opened");
    const QRect page = printer_.pageLayout().paintRectPixels(printer_.resolution());
    int y = 0;
    for (const PrintLine& line : lines) {
        // Sized for the printer's resolution, not the screen's.
        const QFont font(TextFont(line.font), &printer_);
        const QFontMetrics metrics(font);
        if (y + metrics.height() > page.height() && y > 0) {
            if (!printer_.newPage()) {
                p.end();
                return std::string("the printer could not start a new page");
            }
            y = 0;
        }
        p.setFont(font);
        p.drawText(0, y + metrics.ascent(), QString::fromStdString(line.text));
        y += metrics.height();
    }
    if (!p.end()) return std::string("the printer did not finish the job");
    return std::nullopt;
}

}  // namespace ardentix::ui
