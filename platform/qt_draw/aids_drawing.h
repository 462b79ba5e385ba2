// The drawing of the measuring aids: one pin or ball in its tooth space, to
// scale, with the pins and spans that work below it. One function draws it
// with a QPainter into a rectangle, for the window, an SVG or PNG file and a
// printed page alike.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <optional>
#include <string>

#include "engine/measuring_aids.h"
#include "engine/pin_picture.h"

class QPainter;
class QPrinter;
class QSize;

namespace involvo::qtdraw {

// What the drawing shows.
struct AidsDrawing {
    std::optional<gearmain::PinPicture> picture;  // none: the pin cannot be placed
    gearmain::MeasuringAids aids;
    bool balls = false;             // the gear is measured over balls
    std::string chordalThickness;   // the chordal tooth thickness or space width, as the page shows it
};

// The part of the target that the gear takes; the ranges lie below it.
QRectF PictureArea(const QRectF& target, const AidsDrawing& drawing);

// The region of the gear (inches, y upwards) that a fitted drawing shows in
// the picture area: the picture's view, widened to the area's proportions
// (sideways, or towards the gear's body).
QRectF FittedRegion(const gearmain::PinPicture& picture, const QRectF& area);

// From gear coordinates (inches, y upwards) to the picture area: the region,
// kept in proportion, as large as the area allows and centred in it.
QTransform GearToArea(const QRectF& area, const QRectF& region);

// Draws the whole drawing into the target; the region of the gear shown is
// the fitted one unless another is given.
void DrawAids(QPainter& painter, const QRectF& target, const AidsDrawing& drawing,
              const std::optional<QRectF>& region = std::nullopt);

// The drawing as a file or on paper. Each returns the error text, empty when
// it succeeded; a file is written whole or not at all.
QString SaveSvg(const QString& file, const AidsDrawing& drawing, const QSize& size);
QString SavePng(const QString& file, const AidsDrawing& drawing, const QSize& size);
QString PrintAids(QPrinter& printer, const AidsDrawing& drawing);

}  // namespace involvo::qtdraw
