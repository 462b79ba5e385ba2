// The Qt platform: creates the program's windows, runs one-shot timers on the
// event loop and ends it.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "platform/qt/qt_tools.h"
#include "platform/view.h"

class QObject;

namespace involvo {

class QtView;

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    std::unique_ptr<View> CreateView(FormId id, Presenter& presenter) override;
    void StartTimer(int milliseconds, std::function<void()> tick) override;
    // Ends the event loop once the running handler has finished.
    void Quit() override;
    ToolPort* Tools() override { return &tools_; }

    // The program's windows, for closing a window with its title-bar button.
    void SetForms(Forms* forms) { forms_ = forms; }
    Forms* forms() const { return forms_; }

    // The live window of a form, when loaded.
    QtView* ViewOf(FormId id) const;

private:
    friend class QtView;
    void Forget(QtView* view);

    Forms* forms_ = nullptr;
    std::map<FormId, QtView*> views_;
    // The window that was made active last, by the user or by the program.
    QtView* lastActive_ = nullptr;
    std::unique_ptr<QObject> timers_;
    QtTools tools_;
};

}  // namespace involvo
