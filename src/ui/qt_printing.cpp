#include "ui/qt_printing.h"

#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace ardentix::ui {

namespace {

// The smallest type a job is shrunk to; a line that does not fit even then is wrapped.
constexpr qreal kSmallestPoints = 6;

// A line measured on the device: the right edge of its last character that is not a blank, and
// the width of the blanks in front of it (nothing for a line of blanks).
struct Extent {
    qreal ink = 0;
    std::optional<qreal> indent;
};

int leadingBlanks(const QString& text) {
    int n = 0;
    while (n < text.size() && text[n] == QLatin1Char(' '))
        ++n;
    return n;
}

// The text without the blanks at its end.
QString inkOf(const QString& text) {
    int end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

Extent extentOf(const PageLine& line, const QPaintDevice* device) {
    const QFontMetricsF metrics(line.font, device);
    const int blanks = leadingBlanks(line.text);
    if (blanks == line.text.size()) return {};
    return {metrics.horizontalAdvance(inkOf(line.text)),
            metrics.horizontalAdvance(line.text.left(blanks))};
}

// The line cut into pieces whose ink ends within limit, each after the blanks the line starts
// with; a piece breaks after its last blank where it has one, else at the last character that fits.
std::vector<PageLine> wrapped(const PageLine& line, qreal limit, const QPaintDevice* device) {
    const QFontMetricsF metrics(line.font, device);
    const QString indent = line.text.left(leadingBlanks(line.text));
    std::vector<PageLine> pieces;
    QString rest = line.text;
    while (metrics.horizontalAdvance(inkOf(rest)) > limit && rest.size() > indent.size() + 1) {
        // The most characters that fit, at least one after the indent so that every piece
        // makes progress.
        int low = indent.size() + 1;
        int high = rest.size() - 1;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (metrics.horizontalAdvance(rest.left(mid)) <= limit) {
                low = mid;
            } else {
                high = mid - 1;
            }
        }
        int cut = low;
        if (rest[cut - 1].isHighSurrogate()) --cut;
        const int blank = rest.lastIndexOf(QLatin1Char(' '), cut);
        if (blank > indent.size()) cut = blank;
        pieces.push_back({rest.left(cut), line.font});
        rest = indent + rest.mid(cut).mid(leadingBlanks(rest.mid(cut)));
    }
    pieces.push_back({rest, line.font});
    return pieces;
}

}  // namespace

PageFit FitToWidth(const std::vector<PrintLine>& lines, qreal width, const QPaintDevice* device) {
    PageFit fit;
    qreal widest = 0;
    std::optional<qreal> indent;
    int smallest = 0;
    for (const PrintLine& line : lines) {
        // Sized for the printer's resolution, not the screen's.
        const QFont font(TextFont(line.font), device);
        fit.lines.push_back({QString::fromStdString(line.text), font});
        const Extent extent = extentOf(fit.lines.back(), device);
        widest = qMax(widest, extent.ink);
        if (extent.indent) indent = qMin(indent.value_or(*extent.indent), *extent.indent);
        if (smallest == 0 || font.pointSize() < smallest) smallest = font.pointSize();
    }
    if (widest <= width) return fit;
    // Wider than the page: the blanks every line starts with are margin, and the text between
    // them and the widest line's end is centred, or shrunk to fill the width.
    const qreal margin = indent.value_or(0);
    const qreal block = widest - margin;
    if (block <= width) {
        fit.left = (width - block) / 2 - margin;
        return fit;
    }
    fit.scale = qMax(width / block, qMin<qreal>(1, kSmallestPoints / qMax(smallest, 1)));
    fit.left = -margin * fit.scale;
    if (width / block >= fit.scale) return fit;
    std::vector<PageLine> all;
    for (const PageLine& line : fit.lines) {
        for (PageLine& piece : wrapped(line, margin + width / fit.scale, device))
            all.push_back(std::move(piece));
    }
    fit.lines = std::move(all);
    return fit;
}

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
    const PageFit fit = FitToWidth(lines, page.width(), &printer_);
    // Lines are laid out in the job's own sizes; the painter shrinks them onto the page.
    p.setTransform(QTransform(fit.scale, 0, 0, fit.scale, fit.left, 0));
    const qreal height = page.height() / fit.scale;
    qreal y = 0;
    for (const PageLine& line : fit.lines) {
        const QFontMetricsF metrics(line.font, &printer_);
        if (y + metrics.height() > height && y > 0) {
            if (!printer_.newPage()) {
                p.end();
                return std::string("the printer could not start a new page");
            }
            y = 0;
        }
        p.setFont(line.font);
        p.drawText(QPointF(0, y + metrics.ascent()), line.text);
        y += metrics.height();
    }
    if (!p.end()) return std::string("the printer did not finish the job");
    return std::nullopt;
}

}  // namespace ardentix::ui
