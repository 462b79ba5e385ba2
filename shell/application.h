// The program's windows and its start-up and shutdown.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "engine/gearmain.h"
#include "platform/view.h"
#include "printing/printout_options.h"

namespace involvo {

// Creates the presenter of a form. Each subsystem's presenters are wired here;
// the printout options dialog saves into printoutOptionsFile.
std::unique_ptr<Presenter> MakePresenter(FormId id, gearmain::GearMain& gear, Forms& forms,
                                         const std::filesystem::path& printoutOptionsFile);

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

    Platform& platform() override { return platform_; }

    // The printout options file that the start-up reads and the options
    // dialog saves: kOptionsFileName in the working directory unless set
    // (before the start-up, for the start-up to read it).
    const std::filesystem::path& PrintoutOptionsFile() const { return printoutOptionsFile_; }
    void SetPrintoutOptionsFile(std::filesystem::path file) { printoutOptionsFile_ = std::move(file); }

private:
    struct Window {
        std::unique_ptr<Presenter> presenter;
        std::unique_ptr<View> view;
    };
    void StartUpCommon();
    void Bury(Window&& window);

    gearmain::GearMain& gear_;
    Platform& platform_;
    std::filesystem::path printoutOptionsFile_ = kOptionsFileName;
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
