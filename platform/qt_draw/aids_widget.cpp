#include "platform/qt_draw/aids_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace involvo::qtdraw {

AidsWidget::AidsWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MeasuringAidsPicture"));
    setMinimumSize(320, 380);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AidsWidget::SetDrawing(AidsDrawing drawing) {
    drawing_ = std::move(drawing);
    region_.reset();
    update();
}

QRectF AidsWidget::Region() const {
    if (region_) return *region_;
    return drawing_.picture ? FittedRegion(*drawing_.picture, PictureArea(QRectF(rect()), drawing_)) : QRectF();
}

void AidsWidget::ZoomAt(const QPointF& point, double factor) {
    if (!drawing_.picture || !(factor > 0)) return;
    const QRectF region = Region();
    const QTransform toWidget = GearToArea(PictureArea(QRectF(rect()), drawing_), region);
    const QPointF fixed = toWidget.inverted().map(point);  // stays under the pointer
    const QRectF fitted = FittedRegion(*drawing_.picture, PictureArea(QRectF(rect()), drawing_));
    // Between a hundredth of the fitted picture and ten times it.
    const double width = std::clamp(region.width() / factor, fitted.width() / 100, fitted.width() * 10);
    const double scale = width / region.width();
    const QPointF topLeft = fixed + (region.topLeft() - fixed) * scale;
    region_ = QRectF(topLeft, region.size() * scale);
    update();
}

void AidsWidget::Fit() {
    region_.reset();
    update();
}

void AidsWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawAids(painter, QRectF(rect()), drawing_, region_);
}

void AidsWidget::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) ZoomAt(event->position(), std::pow(1.25, steps));
    event->accept();
}

void AidsWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    Fit();
    event->accept();
}

void AidsWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragFrom_ = event->position();
    event->accept();
}

void AidsWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!dragFrom_ || !(event->buttons() & Qt::LeftButton) || !drawing_.picture) return;
    const QRectF region = Region();
    const QTransform toGear = GearToArea(PictureArea(QRectF(rect()), drawing_), region).inverted();
    const QPointF moved = toGear.map(event->position()) - toGear.map(*dragFrom_);
    region_ = region.translated(-moved);
    dragFrom_ = event->position();
    update();
}

}  // namespace involvo::qtdraw
