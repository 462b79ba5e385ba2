#include "shell/application.h"

#include <algorithm>

#include "printing/printout_options.h"
#include "shell/mod_settings.h"

namespace involvo {

Application::Application(gearmain::GearMain& gear, Platform& platform) : gear_(gear), platform_(platform) {}

Application::~Application() {
    // Windows go before their presenters.
    for (auto& w : graveyard_) w.view.reset();
    for (auto& [id, w] : windows_) w.view.reset();
}

void Application::StartUpCommon() {
    gear_.StartUp();
    Load(FormId::FrmMain);
    // The options dialog, loaded hidden, and the printout options from their file.
    StartUpPrinting(*this, gear_, printoutOptionsFile_);
}

void Application::StartUp() {
    StartUpCommon();
    Show(FormId::frmSplash);
    platform_.StartTimer(2000, [this] {
        if (ended_) return;
        Show(FormId::FrmMain);
        Unload(FormId::frmSplash);
    });
}

void Application::StartUpWithoutSplash() {
    StartUpCommon();
    Show(FormId::FrmMain);
}

View& Application::Load(FormId id) {
    auto it = windows_.find(id);
    if (it != windows_.end()) return *it->second.view;
    Window w;
    w.presenter = MakePresenter(id, gear_, *this, printoutOptionsFile_);
    w.view = platform_.CreateView(id, *w.presenter);
    w.presenter->Attach(*w.view);
    View& view = *w.view;
    Presenter& presenter = *w.presenter;
    windows_.emplace(id, std::move(w));
    loadOrder_.push_back(id);
    presenter.Load();
    if (modSettings::RestoresPlacement(id)) modSettings::RestorePlacement(platform_, id);
    return view;
}

bool Application::IsLoaded(FormId id) const { return windows_.count(id) != 0; }

void Application::Show(FormId id) {
    View& view = Load(id);
    view.Show();
    auto it = windows_.find(id);
    if (it != windows_.end()) it->second.presenter->Activate();
}

void Application::ShowModal(FormId id) {
    // The platform's view runs the modal loop inside Show for modal forms; the
    // activation runs first so the window is filled when it appears.
    View& view = Load(id);
    auto it = windows_.find(id);
    if (it != windows_.end()) it->second.presenter->Activate();
    view.Show();
}

void Application::Hide(FormId id) {
    auto it = windows_.find(id);
    if (it != windows_.end()) it->second.view->Hide();
}

void Application::Unload(FormId id) {
    auto it = windows_.find(id);
    if (it == windows_.end()) return;
    if (id == FormId::FrmMain && !shuttingDown_) {
        Shutdown();
        return;
    }
    Window w = std::move(it->second);
    windows_.erase(it);
    loadOrder_.erase(std::remove(loadOrder_.begin(), loadOrder_.end(), id), loadOrder_.end());
    w.presenter->Unload();
    if (modSettings::SavesPlacement(id)) modSettings::SavePlacement(platform_, id);
    w.view->Hide();
    Bury(std::move(w));
}

void Application::Bury(Window&& window) {
    graveyard_.push_back(std::move(window));
    if (burialPending_) return;
    burialPending_ = true;
    platform_.StartTimer(0, [this] {
        burialPending_ = false;
        std::vector<Window> dead;
        dead.swap(graveyard_);
        for (auto& w : dead) w.view.reset();
    });
}

void Application::Shutdown() {
    if (shuttingDown_) return;
    shuttingDown_ = true;
    // Every other window, hidden ones included, the most recently opened first.
    std::vector<FormId> order = loadOrder_;
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (*it != FormId::FrmMain) Unload(*it);
    Unload(FormId::FrmMain);
    ended_ = true;
    platform_.Quit();
}

Presenter& Application::PresenterOf(FormId id) {
    Load(id);
    return *windows_.at(id).presenter;
}

}  // namespace involvo
