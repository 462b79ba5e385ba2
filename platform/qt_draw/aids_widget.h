// A widget that shows the measuring-aids drawing: the mouse wheel zooms about
// the pointer, dragging moves the gear, a double click fits it to the window.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QWidget>

#include <optional>

#include "platform/qt_draw/aids_drawing.h"

namespace involvo::qtdraw {

class AidsWidget : public QWidget {
public:
    explicit AidsWidget(QWidget* parent = nullptr);

    void SetDrawing(AidsDrawing drawing);
    const AidsDrawing& Drawing() const { return drawing_; }

    // The region of the gear shown (inches, y upwards).
    QRectF Region() const;
    // Zooms by the factor (above 1: closer) about a point of the widget.
    void ZoomAt(const QPointF& point, double factor);
    // Back to the fitted picture.
    void Fit();

    QSize sizeHint() const override { return {760, 720}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    AidsDrawing drawing_;
    std::optional<QRectF> region_;  // none: fitted
    std::optional<QPointF> dragFrom_;
};

}  // namespace involvo::qtdraw
