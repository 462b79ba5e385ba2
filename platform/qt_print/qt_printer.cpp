#include "platform/qt_print/qt_printer.h"

#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace involvo {

namespace {

// Before the sheet sets its own size, the printer's font has this one.
constexpr double kDefaultPoints = 10;
// A PDF file has no printer margins of its own: about those of a printer.
constexpr double kFileMarginMillimetres = 10;
// The widest line of the gear data sheet, a range of two values in the last
// column (72), needs about this many print columns; on narrower paper the
// columns close up rather than run off the page.
constexpr double kColumnsPerLine = 94;

QFont SheetFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kDefaultPoints);
    return font;
}

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QtPrinter::QtPrinter()
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)), font_(std::make_unique<QFont>(SheetFont())) {}

QtPrinter::QtPrinter(const std::string& pdfFile) : QtPrinter() {
    fixedPdf_ = pdfFile;
    ToFile(pdfFile);
}

QtPrinter::~QtPrinter() {
    if (painter_ && painter_->isActive()) painter_->end();
}

void QtPrinter::ToFile(const std::string& file) {
    targetFile_ = file;
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(Q(file));
    printer_->setPageMargins(QMarginsF(kFileMarginMillimetres, kFileMarginMillimetres, kFileMarginMillimetres,
                                       kFileMarginMillimetres),
                             QPageLayout::Millimeter);
}

bool QtPrinter::UseDefaultPrinter() {
    if (!fixedPdf_.empty()) {
        ToFile(fixedPdf_);
        return true;
    }
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (!all.isEmpty()) info = all.first();
    }
    if (!info.isNull()) {
        targetFile_.clear();
        printer_->setOutputFileName(QString());
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(info.printerName());
        return true;
    }
    // No printer on this machine: the sheet can still be kept, as a PDF file.
    QString file = QFileDialog::getSaveFileName(
        QApplication::activeWindow(), QStringLiteral("No printer - save the gear data sheet as a PDF file"),
        QDir::home().filePath(QStringLiteral("Gear data sheet.pdf")), QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty()) return false;
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) file += QStringLiteral(".pdf");
    ToFile(file.toStdString());
    return true;
}

bool QtPrinter::ShowPrintDialog() {
    if (!fixedPdf_.empty()) {
        ToFile(fixedPdf_);
        return true;
    }
    printer_->setCopyCount(std::max(1, copies_));
    QPrintDialog dialog(printer_.get(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    copies_ = std::max(1, printer_->copyCount());
    // The command prints one job per copy; each job is a single copy.
    printer_->setCopyCount(1);
    if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) {
        // A file is one document: its copies are its pages (CopiesArePages).
        targetFile_ = printer_->outputFileName().toStdString();
    } else {
        targetFile_.clear();
    }
    return true;
}

bool QtPrinter::StartDoc() {
    error_.clear();
    outputFile_.clear();
    if (painter_ && painter_->isActive()) painter_->end();
    *font_ = SheetFont();
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        error_ = targetFile_.empty() ? "the printer " + printer_->printerName().toStdString() + " cannot be used"
                                     : "the file " + targetFile_ + " cannot be written";
        return false;
    }
    ApplyFont();
    top_ = x_ = lineHeight_ = 0;
    firstItem_ = true;
    return true;
}

void QtPrinter::ApplyFont() {
    if (painter_) painter_->setFont(*font_);
}

void QtPrinter::SetFontSize(double points) {
    if (points > 0) font_->setPointSizeF(points);
    ApplyFont();
}

void QtPrinter::SetBold(bool on) {
    font_->setBold(on);
    ApplyFont();
}

void QtPrinter::SetUnderline(bool on) {
    font_->setUnderline(on);
    ApplyFont();
}

double QtPrinter::ColumnWidth() const {
    // Columns are those of the plain font, so that a bold title starts where the
    // rows below it start.
    QFont plain = *font_;
    plain.setBold(false);
    plain.setUnderline(false);
    const double average = QFontMetricsF(plain, printer_.get()).averageCharWidth();
    const double width = painter_ ? painter_->device()->width() : printer_->width();
    return width > 0 ? std::min(average, width / kColumnsPerLine) : average;
}

double QtPrinter::LineSpacing() const { return QFontMetricsF(*font_, printer_.get()).lineSpacing(); }

double QtPrinter::TextWidth(const std::string& text) const {
    return QFontMetricsF(*font_, printer_.get()).horizontalAdvance(Q(text));
}

void QtPrinter::PrintAt(int column, const std::string& text) {
    if (!painter_) return;
    if (firstItem_) {
        // The "Printing ..." notice has just been shown: let it appear.
        firstItem_ = false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    QFontMetricsF metrics(*font_, printer_.get());
    const bool newLine = x_ == 0 && lineHeight_ == 0;
    if (newLine && top_ > 0 && top_ + metrics.lineSpacing() > painter_->device()->height()) {
        printer_->newPage();
        top_ = 0;
    }
    double x = (std::max(column, 1) - 1) * ColumnWidth();
    if (!newLine && x < x_) x = x_ + metrics.horizontalAdvance(QLatin1Char(' '));
    const QString s = Q(text);
    painter_->drawText(QPointF(x, top_ + metrics.ascent()), s);
    x_ = x + metrics.horizontalAdvance(s);
    lineHeight_ = std::max(lineHeight_, metrics.lineSpacing());
}

void QtPrinter::EndLine() {
    top_ += lineHeight_ > 0 ? lineHeight_ : LineSpacing();
    x_ = 0;
    lineHeight_ = 0;
}

void QtPrinter::NewPage() {
    if (!painter_) return;
    printer_->newPage();
    top_ = x_ = lineHeight_ = 0;
}

bool QtPrinter::EndDoc() {
    if (!painter_) {
        error_ = "the document was not started";
        return false;
    }
    const bool ended = painter_->end();
    painter_.reset();
    if (!ended || printer_->printerState() == QPrinter::Error) {
        error_ = targetFile_.empty() ? "the printer " + printer_->printerName().toStdString() + " reported an error"
                                     : "the file " + targetFile_ + " could not be written";
        return false;
    }
    // The tool names its own file; the program tells the user where a sheet went.
    outputFile_ = fixedPdf_.empty() ? targetFile_ : std::string();
    return true;
}

QtPrintSession::QtPrintSession() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "involvo";
    static char* argv[] = {name, nullptr};
    // The tool's output is its own: Qt's notes about the desktop it does not
    // have stay out of it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

QtPrintSession::~QtPrintSession() = default;

}  // namespace involvo
