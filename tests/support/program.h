// The program on the headless platform, driven as a person uses it: typing
// into a field and leaving it, pressing, choosing menu items and list entries,
// answering message boxes, reading a page's rows. The settings store and the
// desktop outlive each run, as they outlive the program; so do the recording
// printer and the printout options file, in a folder of the test's own.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "printing/printout_options.h"
#include "shell/application.h"
#include "tests/support/fakes.h"

namespace involvo::testing {

namespace fs = std::filesystem;

// A fresh folder named after the test (the tests of one program may run in
// parallel); the files in a folder; a file's whole text.
fs::path FreshFolder();
std::vector<std::string> Names(const fs::path& dir);
std::string ReadFile(const fs::path& path);

using Entries = std::vector<std::pair<Control, std::string>>;
inline Entries With(Entries all, const Entries& more) {
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

// One run of the program, started without the splash screen.
struct Program {
    Program(FakeSettings& settings, FakeDesktop& desktop, PrinterPort& printer, const fs::path& optionsFile);
    gearmain::GearMain gear;
    ShellPlatform platform;
    Application app;
};

class ProgramTest : public ::testing::Test {
protected:
    ~ProgramTest() override;
    // A fresh program over the same stores (the first run starts when first used).
    void Restart();
    Program& run();
    gearmain::GearMain& gear() { return run().gear; }
    ShellPlatform& platform() { return run().platform; }
    Application& app() { return run().app; }
    HeadlessView& screen() { return *platform().ViewOf(FormId::FrmMain); }
    // A loaded window (throws when it is not).
    HeadlessView& page(FormId id);
    // The test's folder, made when first asked for, and the options file in it.
    const fs::path& Folder() { return folder_.empty() ? folder_ = FreshFolder() : folder_; }
    fs::path OptionsFile() { return Folder() / kOptionsFileName; }

    // Types into a field and leaves it with Tab.
    void Enter(Control field, const std::string& keys);
    // Each entry in turn: a field typed into and left, a gear type pressed, a menu
    // item clicked, a feature chosen (Combo1, the text); CmdCalc calculates, goes
    // back to the screen and forgets the messages.
    void EnterAll(const Entries& entries);
    std::string Text(Control control) { return screen().Text(control); }
    void Calculate() { screen().Press(ctl::CmdCalc); }
    // The fields typed in over what they held, then Calculate: page 1 that opened.
    HeadlessView& Calculate(const Entries& fields);
    void Exit();

    std::vector<std::string> MessageTexts();
    bool Shown(const std::string& text);
    // Page 1 (spur or helical) is open.
    bool PageOpen();
    // The visible rows of an open page, caption to value.
    std::map<std::string, std::string> Rows(FormId page);

    FakeSettings settings;
    FakeDesktop desktop;
    RecordingPrinter printer;

private:
    fs::path folder_;
    std::unique_ptr<Program> run_;
};

}  // namespace involvo::testing
