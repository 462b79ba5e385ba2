// From pressing Calculate to page 1 on the screen, through the Qt windows on
// the offscreen platform, and the memory with every page open.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMainWindow>

#include <fstream>
#include <unistd.h>

#include "engine/gearmain.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_view.h"
#include "shell/application.h"

namespace {

using namespace involvo;

QApplication& TheApp() {
    static int argc = 1;
    static char name[] = "bench_qt";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void Enter(Presenter& screen, View& view, Control field, const char* text) {
    view.SetFocus(field);
    view.SetText(field, text);
    screen.LostFocus(field);
}

void CalculateToPageOne(benchmark::State& state) {
    TheApp();
    gearmain::GearMain gear;
    QtPlatform platform;
    Application app(gear, platform);
    platform.SetForms(&app);
    app.StartUpWithoutSplash();
    QApplication::processEvents();
    Presenter& screen = app.PresenterOf(FormId::FrmMain);
    View& view = app.Load(FormId::FrmMain);
    Enter(screen, view, ctl::InputNT, "24");
    Enter(screen, view, ctl::InputDP, "10");
    Enter(screen, view, ctl::ComboQuality, "8");
    auto* calculate = qobject_cast<QAbstractButton*>(platform.ViewOf(FormId::FrmMain)->ObjectOf(ctl::CmdCalc));
    for (auto _ : state) {
        calculate->click();
        QApplication::processEvents();
        QtView* page = platform.ViewOf(FormId::FrmOutput1);
        if (!page || !page->window()->isVisible()) state.SkipWithError("page 1 did not open");
        state.PauseTiming();
        screen.Activate();  // the user clicks the input screen: the pages close
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(CalculateToPageOne)->Unit(benchmark::kMillisecond);

void MemoryWithEveryPageOpen(benchmark::State& state) {
    TheApp();
    gearmain::GearMain gear;
    QtPlatform platform;
    Application app(gear, platform);
    platform.SetForms(&app);
    app.StartUpWithoutSplash();
    Presenter& screen = app.PresenterOf(FormId::FrmMain);
    View& view = app.Load(FormId::FrmMain);
    Enter(screen, view, ctl::InputNT, "24");
    Enter(screen, view, ctl::InputDP, "10");
    Enter(screen, view, ctl::ComboQuality, "8");
    for (auto _ : state) {
        qobject_cast<QAbstractButton*>(platform.ViewOf(FormId::FrmMain)->ObjectOf(ctl::CmdCalc))->click();
        app.PresenterOf(FormId::FrmOutput1).Click(ctl::Next1);
        app.PresenterOf(FormId::FrmOutput2).Click(ctl::Next);
        QApplication::processEvents();
    }
    state.counters["resident_MB"] = ResidentKilobytes() / 1024.0;
}
BENCHMARK(MemoryWithEveryPageOpen)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
