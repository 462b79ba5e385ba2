// The gear part of the drawing: teeth, circles, the pin, its contacts and the
// dimension over or between pins, to scale.
#include "platform/qt_draw/aids_drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/numbers.h"
#include "platform/qt_draw/aids_parts.h"

namespace involvo::qtdraw {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Texts of the drawing.
const char* const kRoot = "Root dia. ";
const char* const kBase = "Base dia. ";
const char* const kPitch = "Pitch dia. ";
const char* const kOutside = "Outside dia. ";
const char* const kInside = "Inside dia. ";
const char* const kContactAt = "Contact dia. ";
const char* const kOverPins = "Over pins ";
const char* const kBetweenPins = "Between pins ";
const char* const kOverBalls = "Over balls ";
const char* const kBetweenBalls = "Between balls ";
const char* const kOffPlane = "The ball touches each flank %1 in. in front of or behind this section:";
const char* const kOffPlaneFlanks = "seen along the axis, the contacts and (dashed) the flanks there.";
const char* const kCannotPlace = "The pin cannot be placed in the tooth space.";
const char* const kPinOutside = "This pin lies outside the pins that work.";
const char* const kBallOutside = "This ball lies outside the balls that work.";
const char* const kInches = " in.";

QPointF Map(const QTransform& t, const gearmain::Point& p) { return t.map(QPointF(p.x, p.y)); }

QPolygonF MapLine(const QTransform& t, const gearmain::Polyline& line) {
    QPolygonF out;
    out.reserve(static_cast<int>(line.size()));
    for (const gearmain::Point& p : line) out << Map(t, p);
    return out;
}

// An arc of the gear's circles over the directions of the picture, in steps
// whose chords stray by less than a quarter of a pixel.
QPolygonF Arc(const QTransform& t, double r, double from, double to) {
    const double pixelsPerInch = std::hypot(t.m11(), t.m12());
    const double step = std::min(0.01, std::sqrt(8 * 0.25 / std::max(r * pixelsPerInch, 1e-9)));
    const int n = std::clamp(static_cast<int>(std::ceil((to - from) / step)), 2, 20000);
    QPolygonF out;
    for (int i = 0; i <= n; ++i) {
        const double a = from + (to - from) * i / n;
        out << t.map(QPointF(r * std::cos(a), r * std::sin(a)));
    }
    return out;
}

QPen Pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, width, style);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// Drawing within the picture area. A clip of the painter does not reach every
// device (an SVG file keeps what lies outside it), so the lines and shapes are
// cut to the area here.
class Clipped {
public:
    Clipped(QPainter& painter, const QRectF& area) : p_(painter), area_(area) {}

    void Polyline(const QPolygonF& line) const {
        QPolygonF run;
        for (int i = 1; i < line.size(); ++i) {
            QPointF a = line[i - 1], b = line[i];
            if (!Cut(a, b)) {
                Flush(run);
                continue;
            }
            if (run.isEmpty() || run.back() != a) {
                Flush(run);
                run << a;
            }
            run << b;
            if (b != line[i]) Flush(run);
        }
        Flush(run);
    }
    void Line(const QPointF& a, const QPointF& b) const { Polyline(QPolygonF{a, b}); }
    // A closed shape, filled with the painter's brush and outlined with its pen.
    void Shape(const QPolygonF& shape) const {
        QPainterPath path;
        path.addPolygon(shape);
        path.closeSubpath();
        QPainterPath box;
        box.addRect(area_);
        p_.drawPath(path.intersected(box));
    }
    void Circle(const QPointF& centre, double r) const {
        if (area_.contains(QRectF(centre - QPointF(r, r), QSizeF(2 * r, 2 * r)))) {
            p_.drawEllipse(centre, r, r);
            return;
        }
        QPolygonF circle;
        const int n = std::clamp(static_cast<int>(r), 32, 4000);
        for (int i = 0; i < n; ++i)
            circle << centre + QPointF(r * std::cos(2 * kPi * i / n), r * std::sin(2 * kPi * i / n));
        const QPen pen = p_.pen();
        if (p_.brush().style() != Qt::NoBrush) {
            p_.setPen(Qt::NoPen);
            Shape(circle);
            p_.setPen(pen);
        }
        circle << circle.front();
        if (pen.style() != Qt::NoPen) Polyline(circle);
    }
    bool Holds(const QPointF& point) const { return area_.contains(point); }

private:
    void Flush(QPolygonF& run) const {
        if (run.size() >= 2) p_.drawPolyline(run);
        run.clear();
    }
    // Liang-Barsky: the part of the segment inside the area; false when none.
    bool Cut(QPointF& a, QPointF& b) const {
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        double t0 = 0, t1 = 1;
        const double pq[4][2] = {{-dx, a.x() - area_.left()},
                                 {dx, area_.right() - a.x()},
                                 {-dy, a.y() - area_.top()},
                                 {dy, area_.bottom() - a.y()}};
        for (const auto& [pp, q] : pq) {
            if (pp == 0) {
                if (q < 0) return false;
                continue;
            }
            const double r = q / pp;
            if (pp < 0) t0 = std::max(t0, r);
            else t1 = std::min(t1, r);
            if (t0 > t1) return false;
        }
        const QPointF start = a;
        a = start + QPointF(dx, dy) * t0;
        b = start + QPointF(dx, dy) * t1;
        return true;
    }

    QPainter& p_;
    QRectF area_;
};

void FillPin(QPainter& p, const Clipped& c, const QTransform& t, const gearmain::PinPicture& pic);

// The teeth: the gear's material filled, the pin's body, the teeth's outline.
void DrawTeeth(QPainter& p, const Clipped& c, const QTransform& t, const gearmain::PinPicture& pic, double size) {
    QPolygonF body = MapLine(t, pic.outline);
    const double from = kPi / 2 - pic.halfAngle, to = kPi / 2 + pic.halfAngle;
    if (!pic.internal) {
        body << t.map(QPointF(0, 0));
    } else {
        // The ring beyond the spaces, out to well past the picture.
        const double outer = std::max(pic.rootRadius, pic.tipRadius) * 1.5 + 1.0;
        QPolygonF ring = Arc(t, outer, from, to);
        std::reverse(ring.begin(), ring.end());
        body << ring;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kGearFill);
    c.Shape(body);
    p.setBrush(Qt::NoBrush);
    FillPin(p, c, t, pic);
    p.setPen(Pen(kInk, size * 0.14));
    c.Polyline(MapLine(t, pic.outline));
}

struct CircleLabel {
    QPointF at;
    QString text;
};

// The root, base, pitch and outside (inside) circles as arcs, each labelled
// where it enters the picture at the left.
void DrawCircles(QPainter& p, const Clipped& clipped, const QTransform& t, const QRectF& region,
                 const gearmain::PinPicture& pic, double size) {
    struct Circle {
        double r;
        QString text;
        Qt::PenStyle style;
        QColor colour;
    };
    const std::vector<Circle> circles{
        {pic.rootRadius, kRoot, Qt::SolidLine, QColor(110, 110, 110)},
        {pic.baseRadius, kBase, Qt::DashLine, QColor(40, 110, 60)},
        {pic.pitchRadius, kPitch, Qt::DashDotLine, QColor(150, 80, 30)},
        {pic.tipRadius, pic.internal ? kInside : kOutside, Qt::DotLine, QColor(110, 110, 110)},
    };
    const double from = kPi / 2 - pic.halfAngle, to = kPi / 2 + pic.halfAngle;
    std::vector<CircleLabel> labels;
    const double x = region.left() + region.width() * 0.02;
    for (const Circle& c : circles) {
        p.setPen(Pen(c.colour, size * 0.09, c.style));
        clipped.Polyline(Arc(t, c.r, from, to));
        if (std::fabs(x) >= c.r) continue;
        const double y = std::sqrt(c.r * c.r - x * x);
        if (y < region.top() || y > region.bottom()) continue;
        const QPointF at = t.map(QPointF(x, y)) + QPointF(0, -size * 0.3);
        labels.push_back({at, c.text + Number(2 * c.r, "0.00000")});
    }
    // Labels of circles close together are moved apart.
    std::sort(labels.begin(), labels.end(), [](const CircleLabel& a, const CircleLabel& b) { return a.at.y() < b.at.y(); });
    for (std::size_t i = 1; i < labels.size(); ++i)
        labels[i].at.setY(std::max(labels[i].at.y(), labels[i - 1].at.y() + size * 1.25));
    p.setFont(DrawingFont(size * 0.85));
    for (const CircleLabel& l : labels) Label(p, l.at, l.text);
}

// The pin's body, under the outlines of the teeth (opaque: not every SVG
// viewer shows a translucent fill).
void FillPin(QPainter& p, const Clipped& c, const QTransform& t, const gearmain::PinPicture& pic) {
    p.setPen(Qt::NoPen);
    p.setBrush(kPinFill);
    c.Circle(Map(t, pic.pinCentre), pic.pinRadius * std::hypot(t.m11(), t.m12()));
    p.setBrush(Qt::NoBrush);
}

void DrawPin(QPainter& p, const Clipped& c, const QTransform& t, const gearmain::PinPicture& pic, double size) {
    const QPointF centre = Map(t, pic.pinCentre);
    const double r = pic.pinRadius * std::hypot(t.m11(), t.m12());
    p.setPen(Pen(kPinInk, size * 0.14));
    c.Circle(centre, r);
    const double cross = std::min(size * 0.6, r * 0.5);
    p.setPen(Pen(kPinInk, size * 0.07));
    c.Line(centre - QPointF(cross, 0), centre + QPointF(cross, 0));
    c.Line(centre - QPointF(0, cross), centre + QPointF(0, cross));

    // On a helical gear, the flanks where the contacts are.
    if (pic.contactOffset > 0) {
        p.setPen(Pen(kContact, size * 0.07, Qt::DashLine));
        for (const gearmain::Polyline& flank : pic.contactFlanks) c.Polyline(MapLine(t, flank));
    }
    // The contacts, and the normals of the flanks through them.
    p.setPen(Pen(kContact, size * 0.07, Qt::DashLine));
    for (const gearmain::Point& contact : pic.contacts) c.Line(centre, Map(t, contact));
    p.setPen(Qt::NoPen);
    p.setBrush(kContact);
    for (const gearmain::Point& contact : pic.contacts)
        if (c.Holds(Map(t, contact))) p.drawEllipse(Map(t, contact), size * 0.28, size * 0.28);
    p.setBrush(Qt::NoBrush);
    p.setPen(kContact);
    p.setFont(DrawingFont(size * 0.85));
    const QPointF right = Map(t, pic.contacts[0]);
    if (c.Holds(right))
        Label(p, right + QPointF(size * 0.6, size * 1.4), kContactAt + Number(2 * pic.contactRadius, "0.00000"));
}

// The dimension over (between) pins of an even tooth count: an extension line
// from the pin's far (near) side, and the dimension line down to the other
// pin, which lies off the picture.
void DrawDimension(QPainter& p, const Clipped& c, const QTransform& t, const QRectF& area,
                   const gearmain::PinPicture& pic, bool balls, double size) {
    if (!pic.dimension) return;
    const double scale = std::hypot(t.m11(), t.m12());
    const QPointF end = Map(t, pic.dimension->from);
    const double x = Map(t, pic.pinCentre).x() + pic.pinRadius * scale + size * 2.5;
    p.setPen(Pen(kInk, size * 0.07));
    c.Line(end + QPointF(size * 0.4, 0), QPointF(x + size * 0.6, end.y()));
    c.Line(QPointF(x, end.y()), Map(t, pic.dimension->to) + QPointF(x - end.x(), 0));  // to the other pin
    QPolygonF arrow;
    arrow << QPointF(x, end.y()) << QPointF(x - size * 0.3, end.y() + size * 1.0)
          << QPointF(x + size * 0.3, end.y() + size * 1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    c.Shape(arrow);
    p.setBrush(Qt::NoBrush);
    const char* caption = pic.internal ? (balls ? kBetweenBalls : kBetweenPins) : (balls ? kOverBalls : kOverPins);
    p.setFont(DrawingFont(size * 0.85));
    p.setPen(kInk);
    // The number stands clear of the teeth: halfway down the gear's body below
    // the root circle of an external gear, below the tips of an internal one.
    const double lowest = area.bottom() - size * 2.6;
    double y = end.y() + size * 3.5;
    const double clear = pic.internal ? pic.tipRadius : pic.rootRadius;
    const double gx = t.inverted().map(QPointF(x, end.y())).x();
    if (std::fabs(gx) < clear) {
        const double below = t.map(QPointF(gx, std::sqrt(clear * clear - gx * gx))).y() + size * 1.8;
        y = std::max(y, lowest > below ? (below + lowest) / 2 : below);
    }
    const QPointF at(x + size * 0.4, std::min(y, lowest));
    if (c.Holds(at)) Label(p, at, caption + Number(pic.dimension->value, "0.000000"));
}

// A bar of a round length at the lower right, for the scale.
void DrawScaleBar(QPainter& p, const QTransform& t, const QRectF& area, double size) {
    const double scale = std::hypot(t.m11(), t.m12());
    const double wanted = area.width() * 0.18 / scale;  // inches
    const double decade = std::pow(10.0, std::floor(std::log10(wanted)));
    double length = decade;
    for (double f : {2.0, 5.0, 10.0})
        if (decade * f <= wanted) length = decade * f;
    const double w = length * scale;
    const QPointF start(area.right() - size - w, area.bottom() - size);
    p.setPen(Pen(kInk, size * 0.1));
    p.drawLine(start, start + QPointF(w, 0));
    p.drawLine(start + QPointF(0, -size * 0.4), start + QPointF(0, size * 0.1));
    p.drawLine(start + QPointF(w, -size * 0.4), start + QPointF(w, size * 0.1));
    p.setFont(DrawingFont(size * 0.8));
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(length) + 1e-9)));
    Label(p, start + QPointF(0, -size * 0.6), QString::fromStdString(gearmain::FormatDecimals(length, decimals)) + kInches);
}

}  // namespace

QRectF PictureArea(const QRectF& target, const AidsDrawing& drawing) {
    QRectF area = target;
    area.setBottom(target.bottom() - RangesHeight(TextSize(target), drawing));
    return area;
}

QRectF FittedRegion(const gearmain::PinPicture& picture, const QRectF& area) {
    const gearmain::Box& v = picture.view;
    QRectF region(QPointF(v.left, v.bottom), QPointF(v.right, v.top));
    if (area.width() <= 0 || area.height() <= 0 || region.width() <= 0 || region.height() <= 0) return region;
    const double aspect = area.height() / area.width();
    if (region.height() < region.width() * aspect) {
        // Taller than the view: mostly more of the gear's body, below the
        // teeth of an external gear, above those of an internal one.
        const double more = region.width() * aspect - region.height();
        const double body = more * 0.75, air = more - body;
        if (picture.internal) region.adjust(0, -air, 0, body);
        else region.adjust(0, -body, 0, air);
    } else {
        const double more = region.height() / aspect - region.width();
        region.adjust(-more / 2, 0, more / 2, 0);
    }
    return region;
}

QTransform GearToArea(const QRectF& area, const QRectF& region) {
    const double w = std::max(region.width(), 1e-12), h = std::max(region.height(), 1e-12);
    const double scale = std::min(area.width() / w, area.height() / h);
    QTransform t;
    t.translate(area.center().x(), area.center().y());
    t.scale(scale, -scale);
    t.translate(-region.center().x(), -region.center().y());
    return t;
}

void DrawAids(QPainter& painter, const QRectF& target, const AidsDrawing& drawing,
              const std::optional<QRectF>& region) {
    const double size = TextSize(target);
    const QRectF area = PictureArea(target, drawing);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(target, Qt::white);

    painter.save();
    painter.setClipRect(area);
    const bool balls = drawing.balls;
    if (drawing.picture) {
        const gearmain::PinPicture& pic = *drawing.picture;
        const QRectF shown = region.value_or(FittedRegion(pic, area));
        const QTransform t = GearToArea(area, shown);
        // What is visible of the gear, in inches.
        const QRectF visible = t.inverted().mapRect(area);
        const Clipped clipped(painter, area);
        DrawTeeth(painter, clipped, t, pic, size);
        DrawCircles(painter, clipped, t, visible, pic, size);
        DrawPin(painter, clipped, t, pic, size);
        DrawDimension(painter, clipped, t, area, pic, balls, size);
        DrawScaleBar(painter, t, area, size);
        painter.setFont(DrawingFont(size * 0.85));
        painter.setPen(kInk);
        double line = area.top() + size * 1.3;
        if (pic.contactOffset > 0) {
            Label(painter, QPointF(area.left() + size * 0.5, line),
                  QString(kOffPlane).arg(Number(pic.contactOffset, "0.0000")));
            line += size * 1.15;
            Label(painter, QPointF(area.left() + size * 0.5, line), kOffPlaneFlanks);
            line += size * 1.3;
        }
        if (drawing.aids.PinOutside()) {
            WarningMark(painter, QPointF(area.left() + size * 0.5, line - size * 0.95), size);
            painter.setPen(kWarning);
            Label(painter, QPointF(area.left() + size * 1.9, line), balls ? kBallOutside : kPinOutside);
        }
    } else {
        painter.setFont(DrawingFont(size));
        painter.setPen(kWarning);
        painter.drawText(area, Qt::AlignCenter, kCannotPlace);
    }
    painter.restore();

    QRectF below = target;
    below.setTop(area.bottom());
    painter.setPen(Pen(QColor(170, 170, 170), size * 0.06));
    painter.drawLine(below.topLeft(), below.topRight());
    DrawRanges(painter, below, size, drawing);
    painter.restore();
}

}  // namespace involvo::qtdraw
