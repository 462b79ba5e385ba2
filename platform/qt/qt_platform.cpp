#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QTimer>

#include "platform/qt/qt_view.h"

namespace involvo {

QtPlatform::QtPlatform() : timers_(std::make_unique<QObject>()) {
    // The program ends through its own shutdown (closing the input screen), not
    // when Qt sees no visible window: between the splash and the input screen
    // there is a moment without one.
    QApplication::setQuitOnLastWindowClosed(false);
}

QtPlatform::~QtPlatform() = default;

std::unique_ptr<View> QtPlatform::CreateView(FormId id, Presenter& presenter) {
    auto view = std::make_unique<QtView>(*this, id, presenter);
    views_[id] = view.get();
    return view;
}

void QtPlatform::StartTimer(int milliseconds, std::function<void()> tick) {
    // Timers die with the platform: a tick never reaches a program that is gone.
    QTimer::singleShot(milliseconds, timers_.get(), [tick = std::move(tick)] { tick(); });
}

void QtPlatform::Quit() {
    QTimer::singleShot(0, timers_.get(), [] { QCoreApplication::quit(); });
}

QtView* QtPlatform::ViewOf(FormId id) const {
    auto it = views_.find(id);
    return it == views_.end() ? nullptr : it->second;
}

void QtPlatform::Forget(QtView* view) {
    if (lastActive_ == view) lastActive_ = nullptr;
    for (auto it = views_.begin(); it != views_.end(); ++it)
        if (it->second == view) {
            views_.erase(it);
            return;
        }
}

}  // namespace involvo
