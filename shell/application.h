// The program's windows and its start-up and shutdown.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "engine/gearmain.h"
#include "platform/view.h"

namespace involvo {

// Creates the presenter of a form. Each subsystem's presenters are wired here.
std::unique_ptr<Presenter> MakePresenter(FormId id, gearmain::GearMain& gear, Forms& forms);

class Application : public Forms {
public:
    Application(gearmain::GearMain& gear, Platform& platform);
    ~Application() override;

    // Start-up: the constants of the gear state, the splash window, the input
    // screen created hidden; the splash timer then shows the input screen.
    void StartUp();
    // The input screen is shown at once, without the splash (the command-line
    // tool and the tests).
    void StartUpWithoutSplash();
    // Closing the input screen: every other window is unloaded, most recent first,
    // and the program ends.
    void Shutdown();
    bool Ended() const { return ended_; }

    View& Load(FormId id) override;
    bool IsLoaded(FormId id) const override;
    void Show(FormId id) override;
    void ShowModal(FormId id) override;
    void Hide(FormId id) override;
    void Unload(FormId id) override;
    Presenter& PresenterOf(FormId id) override;

    gearmain::GearMain& gear() { return gear_; }
    Platform& platform() override { return platform_; }

private:
    struct Window {
        std::unique_ptr<Presenter> presenter;
        std::unique_ptr<View> view;
    };
    void StartUpCommon();
    void Bury(Window&& window);

    gearmain::GearMain& gear_;
    Platform& platform_;
    std::map<FormId, Window> windows_;
    std::vector<FormId> loadOrder_;
    // Unloaded windows are destroyed once the event that unloaded them is over:
    // the handler that closed its own window is still running when it asks.
    std::vector<Window> graveyard_;
    bool burialPending_ = false;
    bool shuttingDown_ = false;
    bool ended_ = false;
};

}  // namespace involvo
