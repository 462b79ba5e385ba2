// The program on the headless platform with a fake printer, an options file of
// its own in a fresh folder, and the contents of the result pages as a
// calculation leaves them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
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
    Quantity quantity;
    std::string caption, value;
};

// Spur gear, 24 teeth, 10 DP, 20 degrees, tooth thickness .1570 entered.
inline const std::vector<Row> kSpurPage1 = {
    {Quantity::NumberOfTeeth, "Number of Teeth", "24"},
    {Quantity::DiametralPitch, "Normal Diametral Pitch", "10.000000"},
    {Quantity::PressureAngle, "Normal Pressure Angle", "20.000000"},
    {Quantity::HelixAngle, "Helix Angle", "0.000000"},
    {Quantity::ToothThickness, "Circular Tooth Thickness", ".1570"},
    {Quantity::Measurement, "Dimension Over Pins", "2.689713"},
    {Quantity::PinDiameter, "Pin Diameter", ".1728"},
    {Quantity::PinContactDiameter, "Pin Contact Diameter", "2.443480"},
    {Quantity::RadialDimension, "Radial Dimension (1) pin", "1.344857"},
    {Quantity::ChordalThickness, "Chordal Tooth Thickness", "0.156960"},
    {Quantity::Span, "Span Meas. Over (3) Teeth", "0.756838"},
    {Quantity::KFactor, "K Factor", "0.00000"},
};

inline const std::vector<Row> kSpurPage2 = {
    {Quantity::BaseDiameter, "Base Circle Diameter", "2.255262"},
    {Quantity::PitchDiameter, "Pitch Diameter", "2.400000"},
    {Quantity::CircularPitch, "Circular Pitch", "0.314159"},
    {Quantity::BasePitch, "Base Pitch", "0.295213"},
    {Quantity::OutsideOrInsideDiameter, "Outside Diameter", "2.60000"},
    {Quantity::RootDiameter, "Root Diameter (Basic)", "2.15000"},
    {Quantity::FinishedRootDiameter, "Root Diameter (Finished Size)", "2.14900"},
    {Quantity::WholeDepth, "Whole Depth", "0.22500"},
    {Quantity::WorkingDepth, "Working Depth", "0.20000"},
    {Quantity::Addendum, "Addendum", "0.10000"},
    {Quantity::Dedendum, "Dedendum", "0.12500"},
    {Quantity::TipLand, "Tooth Tip Land ", "0.068311"},
};

inline const std::vector<Row> kTolerances = {
    {Quantity::Runout, "Runout Tolerance", "0.00213"},
    {Quantity::PitchVariation, "Pitch Variation Allowable", "0.00061"},
    {Quantity::Profile, "Profile Tolerance", "0.00049"},
    {Quantity::Lead, "Tooth Alignment (Lead) ", "0.00000"},
    {Quantity::ToothToTooth, "Tooth To Tooth Composite", "0.00087"},
    {Quantity::TotalComposite, "Total Composite", "0.00300"},
};

// Helical gear, 25 teeth, 10 DP, 20 degrees, 30 degrees of helix.
inline const std::vector<Row> kHelicalPage1 = {
    {Quantity::NumberOfTeeth, "Number of Teeth", "25"},
    {Quantity::DiametralPitch, "Diametral Pitch", "10.000000"},
    {Quantity::PressureAngle, "Pressure Angle", "20.000000"},
    {Quantity::HelixAngle, "Helix Angle", "30.000000"},
    {Quantity::ToothThickness, "Circular Tooth Thickness", ".1570"},
    {Quantity::Measurement, "Dimension Over Balls", "3.104560"},
    {Quantity::PinDiameter, "Ball Diameter", ".1728"},
    {Quantity::PinContactDiameter, "Ball Contact Diameter", "2.949210"},
    {Quantity::RadialDimension, "Radial Dimension (1) Ball", "1.552280"},
    {Quantity::ChordalThickness, "Chordal Tooth Thickness", "0.156975"},
    {Quantity::Span, "Span Meas. Over (4) Teeth", "1.072840"},
    {Quantity::KFactor, "K Factor", "0.00000"},
};
// The transverse values beside rows 2, 3, 5, 9, 10 and 11.
inline const std::vector<std::pair<int, std::string>> kHelicalTransverse1 = {
    {2, "8.660254"}, {3, "22.795877"}, {5, "0.181288"}, {9, ""}, {10, "0.181260"}, {11, ""}};

inline const std::vector<Row> kHelicalPage2 = {
    {Quantity::BaseDiameter, "Base Circle Diameter", "2.663120"},
    {Quantity::PitchDiameter, "Pitch Diameter", "2.886751"},
    {Quantity::CircularPitch, "Circular Pitch", "0.314159"},
    {Quantity::BasePitch, "Base Pitch", "0.295213"},
    {Quantity::OutsideOrInsideDiameter, "Outside Diameter", "3.08675"},
    {Quantity::RootDiameter, "Root Diameter (Basic)", "2.63675"},
    {Quantity::FinishedRootDiameter, "Root Diameter (Finish)", "2.63575"},
    {Quantity::WholeDepth, "Whole Depth", "0.22500"},
    {Quantity::WorkingDepth, "Working Depth", "0.20000"},
    {Quantity::Addendum, "Addendum", "0.10000"},
    {Quantity::Dedendum, "Dedendum", "0.12500"},
    {Quantity::TipLand, "Tooth Tip Land", "0.071840"},
};
// The transverse circular and base pitch beside rows 3 and 4.
inline const std::vector<std::pair<int, std::string>> kHelicalTransverse2 = {{3, "0.362760"}, {4, "0.334425"}};

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
        app.SetPrintoutOptionsFile(OptionsFile());
        BeforeStartUp();
        platform.SetPrinter(&printer);
        app.StartUpWithoutSplash();
    }
    void TearDown() override {
        app.Shutdown();
        platform.RunTimers();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    // What a test prepares before the program starts (the options file).
    virtual void BeforeStartUp() {}

    fs::path OptionsFile() const { return folder_ / kOptionsFileName; }

    // A page's content from rows of the tables above.
    static PageContent Content(FormId form, const std::string& title, const std::vector<Row>& rows,
                               const std::vector<std::pair<int, std::string>>& transverse = {}) {
        PageContent page;
        page.form = form;
        page.title = title;
        for (const Row& row : rows) {
            PageRow pageRow;
            pageRow.quantity = row.quantity;
            pageRow.caption = row.caption;
            pageRow.value = row.value;
            page.rows.push_back(pageRow);
        }
        for (const auto& [row, text] : transverse) page.rows.at(row - 1).transverse = text;
        return page;
    }

    // The contents of the pages as the last calculation left them, and the
    // state the sheet reads.
    void FillSpurPages() {
        gear.HelixAngle = 0;
        gear.InputFeature = "Circular Tooth Thickness";
        gear.DepthName = "AGMA (Current standard)";
        gear.QualityNumber = 8;
        contents = {Sheet::Spur, Content(FormId::FrmOutput1, "External Gear Data", kSpurPage1),
                    Content(FormId::FrmOutput2, "External Gear Data", kSpurPage2),
                    Content(FormId::AGMATOL, "AGMA 2000-A88 Gear Accuracy Tolerances", kTolerances)};
    }

    void FillHelicalPages() {
        gear.HelixAngle = 30;
        gear.InputFeature = "Circular Tooth Thickness";
        gear.DepthName = "AGMA (Current standard)";
        gear.QualityNumber = 8;
        contents = {Sheet::Helical,
                    Content(FormId::FrmHelical1, "External Helical Gear Data", kHelicalPage1, kHelicalTransverse1),
                    Content(FormId::FRMHelical2, "External Helical Gear Data", kHelicalPage2, kHelicalTransverse2),
                    Content(FormId::AGMATOL, "AGMA 2000-A88 Gear Accuracy Tolerances", kTolerances)};
    }

    void SetAllOptions(int16_t value) {
        for (int i = 1; i <= kOptionCount; ++i) gear.PrintoutChoices[i] = value;
    }
    void SetOnly(std::initializer_list<int> on) {
        SetAllOptions(0);
        for (int i : on) gear.PrintoutChoices[i] = 1;
    }

    // The sheet of the contents straight onto the fake printer, without the
    // print commands.
    std::vector<std::string> Compose() { return TextOf(ComposeStyled()); }
    PrintedDoc ComposeStyled() {
        FakePrinter p;
        p.StartDoc();
        ComposeSheet(contents, gear, p);
        p.EndDoc();
        return p.documents.back();
    }

    fs::path folder_;
    // What the pages hold, for the sheet.
    SheetContents contents;
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    FakePrinter printer;
    Application app{gear, platform};
};

}  // namespace involvo::test
