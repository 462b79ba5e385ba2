// The program on the headless platform with a fake printer, an options file of
// its own in a fresh folder, and result pages filled as a calculation leaves
// them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "printing/gear_sheet.h"
#include "printing/print_commands.h"
#include "printing/printout_options.h"
#include "shell/application.h"
#include "tests/printing/fake_printer.h"

namespace involvo::test {

namespace fs = std::filesystem;

struct Row {
    std::string caption, value;
};

// Spur gear, 24 teeth, 10 DP, 20 degrees, tooth thickness .1570 entered.
inline const std::vector<Row> kSpurPage1 = {
    {"Number of Teeth", "24"},
    {"Normal Diametral Pitch", "10.000000"},
    {"Normal Pressure Angle", "20.000000"},
    {"Helix Angle", "0.000000"},
    {"Circular Tooth Thickness", ".1570"},
    {"Dimension Over Pins", "2.689713"},
    {"Pin Diameter", ".1728"},
    {"Pin Contact Diameter", "2.443480"},
    {"Radial Dimension (1) pin", "1.344857"},
    {"Chordal Tooth Thickness", "0.156960"},
    {"Span Meas. Over (3) Teeth", "0.756838"},
    {"K Factor", "0.00000"},
};

inline const std::vector<Row> kSpurPage2 = {
    {"Base Circle Diameter", "2.255262"},
    {"Pitch Diameter", "2.400000"},
    {"Circular Pitch", "0.314159"},
    {"Base Pitch", "0.295213"},
    {"Outside Diameter", "2.60000"},
    {"Root Diameter (Basic)", "2.15000"},
    {"Root Diameter (Finished Size)", "2.14900"},
    {"Whole Depth", "0.22500"},
    {"Working Depth", "0.20000"},
    {"Addendum", "0.10000"},
    {"Dedendum", "0.12500"},
    {"Tooth Tip Land ", "0.068311"},
};

inline const std::vector<Row> kTolerances = {
    {"Runout Tolerance", "0.00213"},
    {"Pitch Variation Allowable", "0.00061"},
    {"Profile Tolerance", "0.00049"},
    {"Tooth Alignment (Lead) ", "0.00000"},
    {"Tooth To Tooth Composite", "0.00087"},
    {"Total Composite", "0.00300"},
};

// Helical gear, 25 teeth, 10 DP, 20 degrees, 30 degrees of helix.
inline const std::vector<Row> kHelicalPage1 = {
    {"Number of Teeth", "25"},
    {"Diametral Pitch", "10.000000"},
    {"Pressure Angle", "20.000000"},
    {"Helix Angle", "30.000000"},
    {"Circular Tooth Thickness", ".1570"},
    {"Dimension Over Balls", "3.104560"},
    {"Ball Diameter", ".1728"},
    {"Ball Contact Diameter", "2.949210"},
    {"Radial Dimension (1) Ball", "1.552280"},
    {"Chordal Tooth Thickness", "0.156975"},
    {"Span Meas. Over (4) Teeth", "1.072840"},
    {"K Factor", "0.00000"},
};
// Text 13 to 18: the transverse values beside rows 2, 3, 5, 9, 10 and 11.
inline const std::vector<std::string> kHelicalTransverse1 = {"8.660254", "22.795877", "0.181288", "",
                                                             "0.181260", ""};

inline const std::vector<Row> kHelicalPage2 = {
    {"Base Circle Diameter", "2.663120"},
    {"Pitch Diameter", "2.886751"},
    {"Circular Pitch", "0.314159"},
    {"Base Pitch", "0.295213"},
    {"Outside Diameter", "3.08675"},
    {"Root Diameter (Basic)", "2.63675"},
    {"Root Diameter (Finish)", "2.63575"},
    {"Whole Depth", "0.22500"},
    {"Working Depth", "0.20000"},
    {"Addendum", "0.10000"},
    {"Dedendum", "0.12500"},
    {"Tooth Tip Land", "0.071840"},
};
// Text 13 and 14: transverse circular and base pitch.
inline const std::vector<std::string> kHelicalTransverse2 = {"0.362760", "0.334425"};

// ---- Expected lines, worked out for a fixed-pitch font ----

inline std::string At(int column, const std::string& text) { return std::string(column - 1, ' ') + text; }
inline std::string PadTo(std::string line, int column) {
    if (static_cast<int>(line.size()) < column - 1) line.append(column - 1 - line.size(), ' ');
    return line;
}
// Spur template: 46 columns; caption, blank, dashes, "> " fill them.
inline std::string SpurLead(const std::string& caption) {
    int dashes = std::max(0, 46 - 3 - static_cast<int>(caption.size()));
    return caption + " " + std::string(dashes, '-') + "> ";
}
inline std::string SpurRow(const std::string& caption, const std::string& value) {
    return PadTo(At(10, SpurLead(caption)), 62) + value;
}
// Helical template: 36 columns.
inline std::string HelicalLead(const std::string& caption) {
    int dashes = std::max(0, 36 - 3 - static_cast<int>(caption.size()));
    return caption + " " + std::string(dashes, '-') + "> ";
}
inline std::string HelicalRow(const std::string& caption, const std::string& normal,
                              const std::string& transverse = "") {
    std::string line = PadTo(At(7, HelicalLead(caption)), 46) + normal;
    if (!transverse.empty()) line = PadTo(line, 72) + transverse;
    return line;
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// A fresh folder for each test (the tests of one program may run in parallel).
inline fs::path FreshFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // Parameterised tests have a "/" in their names: one folder, not two.
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    fs::path dir = fs::temp_directory_path() / ("involvo-printing-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshFolder();
        SetOptionsFilePath(OptionsFile());
        BeforeStartUp();
        platform.SetPrinter(&printer);
        app.StartUpWithoutSplash();
    }
    void TearDown() override {
        app.Shutdown();
        platform.RunTimers();
        SetOptionsFilePath(kOptionsFileName);
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    // What a test prepares before the program starts (the options file).
    virtual void BeforeStartUp() {}

    fs::path OptionsFile() const { return folder_ / kOptionsFileName; }

    static void Fill(View& page, const std::vector<Row>& rows, int firstExtra = 0,
                     const std::vector<std::string>& extra = {}) {
        for (size_t i = 0; i < rows.size(); ++i) {
            page.SetText("Label(" + std::to_string(i + 1) + ")", rows[i].caption);
            page.SetText("Text(" + std::to_string(i + 1) + ")", rows[i].value);
        }
        for (size_t i = 0; i < extra.size(); ++i)
            page.SetText("Text(" + std::to_string(firstExtra + i) + ")", extra[i]);
    }

    // The pages as the last calculation left them, and the state the sheet reads.
    void FillSpurPages() {
        gear.HelixAngle = 0;
        gear.InputFeature = "Circular Tooth Thickness";
        gear.DepthName = "AGMA (Current standard)";
        gear.QualityNumber = 8;
        View& p1 = app.Load(FormId::FrmOutput1);
        Fill(p1, kSpurPage1);
        p1.SetText("LabelTitleBlock", "External Gear Data");
        View& p2 = app.Load(FormId::FrmOutput2);
        Fill(p2, kSpurPage2);
        p2.SetText("LabelTitleBlock", "External Gear Data");
        Fill(app.Load(FormId::AGMATOL), kTolerances);
    }

    void FillHelicalPages() {
        gear.HelixAngle = 30;
        gear.InputFeature = "Circular Tooth Thickness";
        gear.DepthName = "AGMA (Current standard)";
        gear.QualityNumber = 8;
        View& p1 = app.Load(FormId::FrmHelical1);
        Fill(p1, kHelicalPage1, 13, kHelicalTransverse1);
        p1.SetText("LabelTitleBlock", "External Helical Gear Data");
        View& p2 = app.Load(FormId::FRMHelical2);
        Fill(p2, kHelicalPage2, 13, kHelicalTransverse2);
        p2.SetText("LabelTitleBlock", "External Helical Gear Data");
        Fill(app.Load(FormId::AGMATOL), kTolerances);
    }

    void SetAllOptions(int16_t value) {
        for (int i = 1; i <= kOptionCount; ++i) gear.PrintoutChoices[i] = value;
    }
    void SetOnly(std::initializer_list<int> on) {
        SetAllOptions(0);
        for (int i : on) gear.PrintoutChoices[i] = 1;
    }

    // One sheet straight onto the fake printer, without the print commands.
    std::vector<std::string> Compose(Sheet sheet) {
        FakePrinter p;
        p.StartDoc();
        ComposeSheet(app, gear, sheet, p);
        p.EndDoc();
        return TextOf(p.documents.back());
    }
    PrintedDoc ComposeStyled(Sheet sheet) {
        FakePrinter p;
        p.StartDoc();
        ComposeSheet(app, gear, sheet, p);
        p.EndDoc();
        return p.documents.back();
    }

    fs::path folder_;
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    FakePrinter printer;
    Application app{gear, platform};
};

}  // namespace involvo::test
