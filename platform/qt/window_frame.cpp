#include "platform/qt/window_frame.h"

#include <QApplication>
#include <QWidget>

namespace involvo::qt {

namespace {

bool Framed(const QWidget* w) {
    const Qt::WindowType type = w->windowType();
    return (type == Qt::Window || type == Qt::Dialog) && !w->windowFlags().testFlag(Qt::FramelessWindowHint);
}

}  // namespace

std::optional<QMargins> DrawnFrame(const QWidget* w) {
    if (!w || !w->isWindow() || !w->isVisible() || !Framed(w)) return std::nullopt;
    if (w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return std::nullopt;
    const QRect outer = w->frameGeometry(), inner = w->geometry();
    if (outer == inner) return std::nullopt;
    QMargins m(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
               outer.bottom() - inner.bottom());
    if (m.left() < 0 || m.top() < 0 || m.right() < 0 || m.bottom() < 0) return std::nullopt;
    return m;
}

std::optional<QMargins> ExpectedFrame(const QWidget* window) {
    if (std::optional<QMargins> own = DrawnFrame(window)) return own;
    std::optional<QMargins> other;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w == window) continue;
        std::optional<QMargins> m = DrawnFrame(w);
        if (!m) continue;
        if (window && w->windowType() == window->windowType()) return m;
        if (!other) other = m;
    }
    return other;
}

}  // namespace involvo::qt
