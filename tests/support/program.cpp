#include "tests/support/program.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace involvo::testing {

fs::path FreshFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path dir = fs::temp_directory_path() / ("involvo-" + std::to_string(::getpid()) + "-" +
                                                      info->test_suite_name() + "-" + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    return names;
}

std::string ReadFile(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

Program::Program(FakeSettings& settings, FakeDesktop& desktop, PrinterPort& printer, const fs::path& optionsFile)
    : platform(settings, desktop), app(gear, platform) {
    app.SetPrintoutOptionsFile(optionsFile);
    platform.SetPrinter(&printer);
    app.StartUpWithoutSplash();
}

ProgramTest::~ProgramTest() {
    run_.reset();
    std::error_code ec;
    if (!folder_.empty()) fs::remove_all(folder_, ec);
}

void ProgramTest::Restart() {
    run_.reset();
    run_ = std::make_unique<Program>(settings, desktop, printer, OptionsFile());
}

HeadlessView& ProgramTest::page(FormId id) {
    HeadlessView* view = platform().ViewOf(id);
    if (!view) throw std::runtime_error(std::string(FormName(id)) + " is not loaded");
    return *view;
}

HeadlessView& ProgramTest::Calculate(const Entries& fields) {
    for (const auto& [field, keys] : fields) Enter(field, std::string(12, '\b') + keys);
    Calculate();
    HeadlessView* helical = platform().ViewOf(FormId::FrmHelical1);
    return helical && helical->IsShown() ? *helical : page(FormId::FrmOutput1);
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
