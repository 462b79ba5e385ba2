// The parts of the measuring-aids drawing, shared by its files.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include "platform/qt_draw/aids_drawing.h"

class QPainter;

namespace involvo::qtdraw {

// The size of the drawing's text: every length of the drawing that is not to
// scale is a multiple of it.
double TextSize(const QRectF& target);
QFont DrawingFont(double size, bool bold = false);

// A number as the drawing writes it (a mask of the program: "0.0000" etc.).
QString Number(double value, const char* mask);

// A text with a light backdrop, so that it reads over lines; anchored at its
// left (or right) end on the baseline given.
void Label(QPainter& painter, const QPointF& at, const QString& text, bool alignRight = false);

// The red warning mark: a triangle with an exclamation mark, its top left at
// the point given, as high as the text.
void WarningMark(QPainter& painter, const QPointF& topLeft, double size);

// The pins and spans that work, with the chosen ones among them, and the
// chordal addendum, in the area below the gear; and the height they take.
void DrawRanges(QPainter& painter, const QRectF& area, double size, const AidsDrawing& drawing);
double RangesHeight(double size, const AidsDrawing& drawing);

// Colours of the drawing.
inline const QColor kInk{30, 30, 30};
inline const QColor kGearFill{226, 226, 222};
inline const QColor kPinInk{25, 80, 160};
inline const QColor kPinFill{203, 221, 242};
inline const QColor kContact{200, 30, 30};
inline const QColor kWorks{90, 170, 90};
inline const QColor kProud{70, 130, 200};
inline const QColor kFails{205, 205, 205};
inline const QColor kWarning{210, 40, 30};

}  // namespace involvo::qtdraw
