// The ranges below the gear: the pins and the spans that work with the chosen
// ones among them, and the chordal addendum; and the small parts the whole
// drawing shares.
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/numbers.h"
#include "platform/qt_draw/aids_parts.h"

namespace involvo::qtdraw {

namespace {

// Texts of the ranges.
const char* const kPinsWork = "Pins that work: ";
const char* const kBallsWork = "Balls that work: ";
const char* const kNoPin = "No pin works.";
const char* const kNoBall = "No ball works.";
const char* const kTo = " to ";
const char* const kProudFrom = "Standing proud from ";
const char* const kThisPin = "This pin: ";
const char* const kThisBall = "This ball: ";
const char* const kSpansWork = "Teeth spanned that work: ";
const char* const kNoSpan = "No number of teeth spanned works.";
const char* const kAnvils = "Over %1 teeth the anvils touch at dia. ";
const char* const kChordalTooth = "Chordal tooth thickness ";
const char* const kChordalAt = " at chordal addendum ";

// Text in runs, bold and plain, from a point on the baseline; returns where
// the next run starts.
double Run(QPainter& p, double x, double baseline, const QString& text, double size, bool bold = false,
           const QColor& colour = kInk) {
    const QFont font = DrawingFont(size, bold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QPointF(x, baseline), text);
    return x + QFontMetricsF(font).horizontalAdvance(text);
}

// A round step for the ticks of an axis of the given length.
double TickStep(double length) {
    const double rough = length / 6;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double f : {1.0, 2.0, 5.0})
        if (decade * f >= rough) return decade * f;
    return decade * 10;
}

void DrawPins(QPainter& p, const QRectF& row, double size, const AidsDrawing& drawing) {
    const gearmain::MeasuringAids& aids = drawing.aids;
    const gearmain::MeasuringAidsTexts texts = gearmain::TextsOf(aids);
    const bool outside = aids.PinOutside();
    const double left = row.left() + size;
    const double baseline = row.top() + size * 1.4;
    double x = left;
    if (outside) {
        WarningMark(p, QPointF(x, baseline - size * 0.95), size);
        x += size * 1.4;
    }
    if (aids.pins) {
        x = Run(p, x, baseline, drawing.balls ? kBallsWork : kPinsWork, size, true);
        x = Run(p, x, baseline, QString::fromStdString(texts.pinSmallest) + kTo + QString::fromStdString(texts.pinLargest),
                size);
    } else {
        x = Run(p, x, baseline, drawing.balls ? kNoBall : kNoPin, size, true, kWarning);
    }
    if (aids.proudFrom) x = Run(p, x + size * 1.5, baseline, kProudFrom + QString::fromStdString(texts.pinProudFrom), size);
    Run(p, x + size * 1.5, baseline, (drawing.balls ? kThisBall : kThisPin) + Number(aids.pin, "0.0000"), size, false,
        outside ? kWarning : kInk);

    // The axis: every value shown, with room either side.
    std::vector<double> values{aids.pin};
    if (aids.pins) values.insert(values.end(), {aids.pins->smallest, aids.pins->largest});
    if (aids.proudFrom) values.push_back(*aids.proudFrom);
    const double low = *std::min_element(values.begin(), values.end());
    const double high = *std::max_element(values.begin(), values.end());
    const double span = std::max(high - low, high * 0.2);
    const double from = std::max(0.0, low - span * 0.15), to = high + span * 0.15;
    const double barLeft = left, barRight = row.right() - size;
    auto at = [&](double v) { return barLeft + (v - from) / (to - from) * (barRight - barLeft); };

    const double barTop = row.top() + size * 2.2;
    p.setPen(Qt::NoPen);
    p.setBrush(kFails);
    p.drawRect(QRectF(QPointF(barLeft, barTop), QPointF(barRight, barTop + size * 0.7)));
    if (aids.pins) {
        p.setBrush(kWorks);
        p.drawRect(QRectF(QPointF(at(aids.pins->smallest), barTop), QPointF(at(aids.pins->largest), barTop + size * 0.7)));
    }
    if (aids.proudFrom) {
        p.setBrush(kProud);
        p.drawRect(QRectF(QPointF(at(*aids.proudFrom), barTop + size * 0.85), QPointF(barRight, barTop + size * 1.2)));
    }
    p.setBrush(Qt::NoBrush);

    // Ticks and their values.
    const double axis = barTop + size * 1.4;
    p.setPen(QPen(kInk, size * 0.06));
    p.drawLine(QPointF(barLeft, axis), QPointF(barRight, axis));
    const double step = TickStep(to - from);
    const int decimals = std::max(1, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    const QFont small = DrawingFont(size * 0.75);
    p.setFont(small);
    for (double v = std::ceil(from / step) * step; v <= to + 1e-12; v += step) {
        p.drawLine(QPointF(at(v), axis), QPointF(at(v), axis + size * 0.3));
        const QString text = QString::fromStdString(gearmain::FormatDecimals(v, decimals));
        const double w = QFontMetricsF(small).horizontalAdvance(text);
        p.drawText(QPointF(at(v) - w / 2, axis + size * 1.2), text);
    }

    // The chosen pin.
    const QColor mark = outside ? kWarning : kInk;
    const double x0 = at(aids.pin);
    p.setPen(QPen(mark, size * 0.12));
    p.drawLine(QPointF(x0, barTop - size * 0.1), QPointF(x0, axis));
    QPolygonF triangle;
    triangle << QPointF(x0, barTop - size * 0.05) << QPointF(x0 - size * 0.35, barTop - size * 0.6)
             << QPointF(x0 + size * 0.35, barTop - size * 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    p.drawPolygon(triangle);
    p.setBrush(Qt::NoBrush);
}

void DrawSpans(QPainter& p, const QRectF& row, double size, const AidsDrawing& drawing) {
    const gearmain::MeasuringAids& aids = drawing.aids;
    const gearmain::MeasuringAidsTexts texts = gearmain::TextsOf(aids);
    const bool outside = aids.SpanOutside();
    const double left = row.left() + size;
    const double baseline = row.top() + size * 1.4;
    double x = left;
    if (outside) {
        WarningMark(p, QPointF(x, baseline - size * 0.95), size);
        x += size * 1.4;
    }
    if (aids.span) {
        x = Run(p, x, baseline, kSpansWork, size, true);
        x = Run(p, x, baseline, QString::fromStdString(texts.spanFewest) + kTo + QString::fromStdString(texts.spanMost),
                size);
    } else {
        x = Run(p, x, baseline, kNoSpan, size, true, kWarning);
    }
    if (aids.teethSpanned > 0 && !texts.spanContact.empty())
        Run(p, x + size * 1.5, baseline,
            QString(kAnvils).arg(Number(aids.teethSpanned, "0")) + QString::fromStdString(texts.spanContact), size,
            false, outside ? kWarning : kInk);

    // A box for each count around the limits and the chosen one.
    int first = static_cast<int>(aids.teethSpanned), last = first;
    if (aids.span) {
        first = std::min(first > 0 ? first : static_cast<int>(aids.span->fewest), static_cast<int>(aids.span->fewest));
        last = std::max(last, static_cast<int>(aids.span->most));
    }
    first = std::max(1, first - 2);
    last = last + 2;
    const double boxWidth = size * 1.9;
    const int room = std::max(5, static_cast<int>((row.width() - 2 * size) / boxWidth));
    if (last - first + 1 > room) {
        // Too many to show: those around the chosen count.
        const int centre = aids.teethSpanned > 0 ? static_cast<int>(aids.teethSpanned) : (first + last) / 2;
        first = std::max(1, centre - room / 2);
        last = first + room - 1;
    }
    const double top = row.top() + size * 2.0;
    const QFont font = DrawingFont(size * 0.8);
    p.setFont(font);
    for (int k = first; k <= last; ++k) {
        const QRectF box(left + (k - first) * boxWidth, top, boxWidth - size * 0.2, size * 1.3);
        const bool allowed = aids.span && aids.span->Allows(static_cast<float>(k));
        p.setPen(Qt::NoPen);
        p.setBrush(allowed ? kWorks : kFails);
        p.drawRect(box);
        p.setBrush(Qt::NoBrush);
        if (k == static_cast<int>(aids.teethSpanned)) {
            p.setPen(QPen(outside ? kWarning : kInk, size * 0.18));
            p.drawRect(box);
        }
        p.setPen(kInk);
        p.drawText(box, Qt::AlignCenter, QString::number(k));
    }
}

}  // namespace

double TextSize(const QRectF& target) { return std::max(6.0, std::min(target.width() / 56, target.height() / 52)); }

QFont DrawingFont(double size, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setBold(bold);
    return font;
}

QString Number(double value, const char* mask) { return QString::fromStdString(gearmain::Format(value, mask)); }

void Label(QPainter& painter, const QPointF& at, const QString& text, bool alignRight) {
    const QFontMetricsF metrics(painter.font());
    const double w = metrics.horizontalAdvance(text);
    const QPointF start = alignRight ? at - QPointF(w, 0) : at;
    const QRectF back(start.x() - 2, start.y() - metrics.ascent(), w + 4, metrics.ascent() + metrics.descent());
    painter.fillRect(back, QColor(255, 255, 255, 200));
    painter.drawText(start, text);
}

void WarningMark(QPainter& painter, const QPointF& topLeft, double size) {
    painter.save();
    QPolygonF triangle;
    triangle << topLeft + QPointF(size * 0.55, 0) << topLeft + QPointF(size * 1.1, size) << topLeft + QPointF(0, size);
    painter.setPen(QPen(kWarning, size * 0.08));
    painter.setBrush(kWarning);
    painter.drawPolygon(triangle);
    painter.setPen(Qt::white);
    QFont font = DrawingFont(size * 0.75, true);
    painter.setFont(font);
    painter.drawText(QRectF(topLeft + QPointF(0, size * 0.2), QSizeF(size * 1.1, size * 0.85)), Qt::AlignCenter,
                     QStringLiteral("!"));
    painter.restore();
}

namespace {

constexpr double kPinsRow = 5.2, kSpansRow = 3.6, kChordalRow = 2.4;

}  // namespace

double RangesHeight(double size, const AidsDrawing& drawing) {
    return size * (kPinsRow + (drawing.aids.internal ? 0 : kSpansRow) + (drawing.aids.HasChordalAddendum() ? kChordalRow : 0));
}

void DrawRanges(QPainter& painter, const QRectF& area, double size, const AidsDrawing& drawing) {
    painter.save();
    QRectF pins = area;
    pins.setHeight(size * kPinsRow);
    DrawPins(painter, pins, size, drawing);
    double top = pins.bottom();
    if (!drawing.aids.internal) {
        QRectF spans = area;
        spans.setTop(top);
        spans.setHeight(size * kSpansRow);
        DrawSpans(painter, spans, size, drawing);
        top = spans.bottom();
    }
    if (drawing.aids.HasChordalAddendum()) {
        const gearmain::MeasuringAidsTexts texts = gearmain::TextsOf(drawing.aids);
        double x = Run(painter, area.left() + size, top + size * 1.6,
                       kChordalTooth + QString::fromStdString(drawing.chordalThickness), size);
        x = Run(painter, x, top + size * 1.6, kChordalAt, size);
        Run(painter, x, top + size * 1.6, QString::fromStdString(texts.chordalAddendum), size, true);
    }
    painter.restore();
}

}  // namespace involvo::qtdraw
