#include "tests/support/program.h"

namespace involvo::testing {

Program::Program(FakeSettings& settings, FakeDesktop& desktop) : platform(settings, desktop), app(gear, platform) {
    app.StartUpWithoutSplash();
}

void ProgramTest::Restart() {
    run_.reset();
    run_ = std::make_unique<Program>(settings, desktop);
}

Program& ProgramTest::run() {
    if (!run_) Restart();
    return *run_;
}

void ProgramTest::Enter(Control field, const std::string& keys) {
    screen().Type(field, keys);
    screen().Leave();
}

void ProgramTest::EnterAll(const Entries& entries) {
    for (const auto& [field, keys] : entries) {
        if (field == ctl::External || field == ctl::Internal) screen().Press(field);
        else if (NameOf(field).rfind("Mnu", 0) == 0 || NameOf(field).rfind("mnu", 0) == 0) screen().Click(field);
        else if (field == ctl::Combo1) screen().Choose(field, keys);
        else if (field == ctl::CmdCalc) {  // a calculation before: back on the screen, its records gone
            Calculate();
            screen().Activate();
            platform().ClearRecords();
        }
        else Enter(field, keys);
    }
}

void ProgramTest::Exit() {
    screen().Press(ctl::cmdExit);
    platform().RunTimers();
}

std::vector<std::string> ProgramTest::MessageTexts() {
    std::vector<std::string> texts;
    for (const auto& m : platform().Messages()) texts.push_back(m.text);
    return texts;
}

bool ProgramTest::Shown(const std::string& text) {
    for (const auto& m : platform().Messages())
        if (m.text == text) return true;
    return false;
}

bool ProgramTest::PageOpen() { return app().IsLoaded(FormId::FrmOutput1) || app().IsLoaded(FormId::FrmHelical1); }

std::map<std::string, std::string> ProgramTest::Rows(FormId page) {
    std::map<std::string, std::string> rows;
    HeadlessView* view = platform().ViewOf(page);
    if (!view) return rows;
    for (int i = 1; HasControl(page, ctl::Label(i)); ++i)
        if (view->Visible(ctl::Label(i))) rows[view->Text(ctl::Label(i))] = view->Text(ctl::Text(i));
    return rows;
}

}  // namespace involvo::testing
