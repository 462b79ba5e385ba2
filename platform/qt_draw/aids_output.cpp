// The drawing as an SVG or PNG file, and on a printed page.
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "platform/qt_draw/aids_drawing.h"

namespace involvo::qtdraw {

namespace {

const char* const kTitle = "Measuring Aids";
const char* const kNoPainting = "The drawing could not be made.";

// Writes through a QSaveFile: the file is replaced only when all of it was
// written.
template <typename Write>
QString WriteWhole(const QString& file, const Write& write) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString();
    const QString error = write(out);
    if (!error.isEmpty()) {
        out.cancelWriting();
        return error;
    }
    if (!out.commit()) return out.errorString();
    return {};
}

}  // namespace

QString SaveSvg(const QString& file, const AidsDrawing& drawing, const QSize& size) {
    return WriteWhole(file, [&](QSaveFile& out) -> QString {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QString::fromUtf8(kTitle));
        svg.setResolution(96);
        QPainter painter;
        if (!painter.begin(&svg)) return QString::fromUtf8(kNoPainting);
        DrawAids(painter, QRectF(QPointF(0, 0), QSizeF(size)), drawing);
        if (!painter.end()) return QString::fromUtf8(kNoPainting);
        return {};
    });
}

QString SavePng(const QString& file, const AidsDrawing& drawing, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return QString::fromUtf8(kNoPainting);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        DrawAids(painter, QRectF(image.rect()), drawing);
    }
    return WriteWhole(file, [&](QSaveFile& out) -> QString {
        if (!image.save(&out, "PNG")) return out.errorString().isEmpty() ? QString::fromUtf8(kNoPainting) : out.errorString();
        return {};
    });
}

QString PrintAids(QPrinter& printer, const AidsDrawing& drawing) {
    printer.setDocName(QString::fromUtf8(kTitle));
    QPainter painter;
    if (!painter.begin(&printer)) return QString::fromUtf8(kNoPainting);
    // The page's printable area, less a margin; the drawing keeps its
    // proportions of a portrait sheet.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    QRectF target(0, 0, page.width(), std::min(page.height(), page.width() * 1.15));
    DrawAids(painter, target, drawing);
    if (!painter.end()) return QString::fromUtf8(kNoPainting);
    return {};
}

}  // namespace involvo::qtdraw
