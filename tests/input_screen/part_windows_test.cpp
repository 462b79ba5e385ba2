// The Check a Part window and the input screen's part files, headless: the
// readings typed give the rows and the verdict, a part opened fills the screen
// as typing it does, and a file that holds no part changes nothing.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "input_screen/frm_main.h"
#include "input_screen/part_file.h"
#include "platform/headless_tools.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

namespace fs = std::filesystem;

const Control kFields[] = {ctl::InputNT,     ctl::InputDP,        ctl::InputPA,      ctl::InputHA,
                           ctl::Combo1,      ctl::InputCTT_MOW,   ctl::InputAddendumMod,
                           ctl::InputPINDIA, ctl::InputFaceWidth, ctl::ComboQuality};

class PartWindows : public ProgramTest {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("involvo-win-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    HeadlessView& Check() { return *platform().ViewOf(FormId::FrmCheckPart); }
    HeadlessTools& Tools() { return platform().ToolOutput(); }
    void OpenCheck() {
        for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1})
            if (HeadlessView* page = platform().ViewOf(id)) page->Click(ctl::mnuFileCheck);
        ASSERT_NE(platform().ViewOf(FormId::FrmCheckPart), nullptr);
    }
    void TypeReading(int row, const std::string& keys) {
        Check().Type(ctl::Reading(row), keys);
        Check().Leave();
    }
    std::string Row(int row) {
        auto cell = [&](ControlArray column) { return Check().Text(column(row)); };
        return cell(ctl::Thickness) + " | " + cell(ctl::Beyond) + " | " + cell(ctl::Status);
    }
    std::vector<std::string> PageTexts() {
        std::vector<std::string> texts;
        for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1})
            if (HeadlessView* page = platform().ViewOf(id))
                for (int i = 1; i <= (id == FormId::FrmHelical1 ? 18 : 12); ++i) texts.push_back(page->Text(ctl::Text(i)));
        return texts;
    }
    std::vector<std::string> Screen() {
        std::vector<std::string> texts;
        for (Control field : kFields) texts.push_back(Text(field));
        texts.push_back(std::to_string(gear().CalcMode) + "/" + std::to_string(gear().GearType) + "/" +
                        std::to_string(gear().DepthSystem));
        return texts;
    }
    fs::path Write(const std::string& name, const std::string& text) {
        std::ofstream(folder / name) << text;
        return folder / name;
    }
    void Open(const fs::path& file) {
        Tools().ScriptFileName(file.string());
        screen().Click(ctl::MnuOpenPart);
    }
    fs::path folder;
};

// A spur gear of 24 teeth, 10 pitch, cut to 0.155 / 0.157 and measured over
// 0.1728 pins: page 1 gives the limits 2.635124 / 2.639784. A reading on a
// limit implies that end of the band; the amounts beyond are the differences
// from the nearer limit.
TEST_F(PartWindows, ReadingsTypedGiveTheRowsAndTheVerdict) {
    EnterAll({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputCTT_MOW, "0.155/0.157"}, {ctl::InputPINDIA, "0.1728"}});
    Calculate();
    OpenCheck();
    EXPECT_EQ(Check().Text(ctl::CmdPrint) + "|" + Check().Text(ctl::CmdSavePdf) + "|" + Check().Text(ctl::CmdClear),
              "&Print Report...|Save Report as P&DF...|C&lear Readings");
    EXPECT_EQ(Check().Text(ctl::TextLimits), "2.635124 / 2.639784");
    EXPECT_EQ(Check().Text(ctl::TextThicknessLimits), "0.155000 / 0.157000");
    struct Step {
        const char* keys;
        const char* thickness;  // nullptr: not worked by hand
        const char* beyondAndStatus;
        const char* verdict;
        const char* spread;
    };
    const Step steps[] = {
        {"2.635124", "0.155000", "0.000000 | within", "ACCEPT", "0.000000"},
        {"2.639784", "0.157000", "0.000000 | within", "ACCEPT", "0.004660"},
        {"2.6420", nullptr, "0.002216 | over", "REJECT", "0.006876"},
        {"2.63x00", nullptr, "0.005124 | under", "REJECT", "0.012000"},  // the key filter drops the x
        {"1.2.3", "", " | not a number", "", "0.012000"},
    };
    int row = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.keys);
        TypeReading(++row, s.keys);
        const std::string shown = Row(row);
        const size_t bar = shown.find(" | ");
        if (s.thickness) EXPECT_EQ(shown.substr(0, bar), s.thickness);
        else EXPECT_FALSE(shown.substr(0, bar).empty());
        EXPECT_EQ(shown.substr(bar + 3), s.beyondAndStatus);
        EXPECT_EQ(Check().Text(ctl::LabelVerdict), s.verdict);
        EXPECT_EQ(Check().Text(ctl::TextSpread), s.spread);
        const Rgb green{0, 128, 0}, red{255, 0, 0};  // within and accepted, or not
        EXPECT_EQ(Check().Foreground(ctl::Status(row)), row <= 2 ? green : red);
        EXPECT_EQ(Check().Foreground(ctl::LabelVerdict), !*s.verdict ? Rgb{} : row <= 2 ? green : red);
        const char* const notes[] = {"The reading is within the limits.", "All 2 readings are within the limits.",
                                     "1 reading of 3 is out of the limits.", "2 readings of 4 are out of the limits."};
        EXPECT_EQ(Check().Text(ctl::LabelVerdictNote), row <= 4 ? notes[row - 1] : "Row 5 holds no number: correct it or clear it.");
    }
    Check().Press(ctl::CmdClear);
    EXPECT_EQ(Check().Text(ctl::Reading(1)) + Check().Text(ctl::Reading(5)) + Check().Text(ctl::LabelVerdict), "");
    EXPECT_EQ(Check().Focused(), ctl::Reading(1));
    Check().Press(ctl::CmdClose);
    HeadlessView* closed = platform().ViewOf(FormId::FrmCheckPart);
    EXPECT_TRUE(!closed || !closed->IsShown());
    // A single value gives no limits: the difference from the nominal, no verdict.
    Restart();
    EnterAll({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputCTT_MOW, "0.157"}, {ctl::InputPINDIA, "0.1728"}});
    Calculate();
    OpenCheck();
    TypeReading(1, "2.635124");
    EXPECT_EQ(Row(1), "0.155000 | -0.002000 | ");
    EXPECT_EQ(Check().Text(ctl::LabelVerdict), "");
    EXPECT_EQ(Check().Text(ctl::LabelLimitsTitle), "Nominal (a single value gives no limits)");
}

// Opening a part types its entries: the screen, and the page that Calculate
// opens, are those of the same entries typed by hand; the readings and the part
// number go to the Check a Part window and the report saved as PDF.
TEST_F(PartWindows, APartOpenedFillsTheScreenAsTypingItDoes) {
    struct Case {
        const char* json;
        std::vector<Control> menu;  // clicked before typing
        Entries typed;
    };
    const Case cases[] = {
        {R"({"teeth": 24, "pitch": "10", "value": "0.155/0.157", "pin": "0.1728", "part-number": "A-1",
             "readings": ["2.6371", "2.6368", "2.6375", "2.6366"], "colour": "blue"})",
         {},
         {{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputCTT_MOW, "0.155/0.157"}, {ctl::InputPINDIA, "0.1728"}}},
        {R"({"internal": true, "teeth": "60", "pitch": "10", "helix": "15", "quality": "8", "part-number": "B-2"})",
         {ctl::Internal},
         {{ctl::InputNT, "60"}, {ctl::InputDP, "10"}, {ctl::InputHA, "15"}}},
        {R"({"mode": "span", "teeth": "35", "pitch": "8", "pin": "4", "readings": "1.7312 1.7320"})",
         {ctl::MnuSpan},
         {{ctl::InputNT, "35"}, {ctl::InputDP, "8"}, {ctl::InputPINDIA, "4"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        Restart();
        for (Control item : c.menu) screen().Click(item);
        for (const auto& [field, keys] : c.typed) screen().Type(field, keys);  // a click into each field
        screen().FocusTo(ctl::CmdCalc);
        if (std::string(c.json).find("quality") != std::string::npos) screen().Choose(ctl::ComboQuality, "8");
        const std::vector<std::string> typed = Screen();
        Calculate();
        const std::vector<std::string> pageTyped = PageTexts();

        Restart();
        EnterAll({{ctl::InputNT, "99"}, {ctl::InputDP, "4"}, {ctl::InputPINDIA, "0.5"}});  // another gear first
        const fs::path file = Write("part.gear", c.json);
        Open(file);
        EXPECT_TRUE(platform().Messages().empty()) << platform().Messages().front().text;
        EXPECT_EQ(Screen(), typed);
        Calculate();
        ASSERT_TRUE(PageOpen());
        OpenCheck();
        const Part part = *ReadPartFile(file).part;
        for (size_t i = 0; i < part.readings.size(); ++i) EXPECT_EQ(Check().Text(ctl::Reading(static_cast<int>(i + 1))), part.readings[i]);
        EXPECT_EQ(Check().Text(ctl::TextPartNumber), part.partNumber);
        EXPECT_EQ(PageTexts(), pageTyped);
    }
    // The report of the last one saved as a PDF file carries its readings.
    Tools().ScriptFileName((folder / "report").string());
    Check().Press(ctl::CmdSavePdf);
    ASSERT_EQ(Tools().PdfFiles(), std::vector<std::string>{(folder / "report.pdf").string()});
    EXPECT_EQ(platform().Messages().back().text, "The inspection report was saved in the file " + (folder / "report.pdf").string() + ".");
    const std::vector<std::string>& report = Tools().PdfOutput().Documents().back();
    EXPECT_NE(std::find_if(report.begin(), report.end(), [](const std::string& l) { return l.find("1.7320") != std::string::npos; }),
              report.end());
    // A cutter depth comes with its depth system, without being asked for.
    Restart();
    Open(Write("cutter.gear", R"({"teeth": "20", "pitch": "10", "depth-system": 9, "cutter-depth": "0.2"})"));
    EXPECT_EQ(std::to_string(gear().DepthSystem) + " " + gear().CutterDepthText, "9 0.2");
    EXPECT_TRUE(platform().InputBoxes().empty() && screen().Checked(ctl::MnuDepth(9)));
}

TEST_F(PartWindows, AFileThatHoldsNoPartChangesNothingAndSaysWhy) {
    const char* const damaged[][2] = {
        {"{\"teeth\": 24,", "is not a part file"},
        {"[1, 2]", "is not a part file"},
        {"{\"teeth\": \"2x4\"}", "\"teeth\" must be a whole number"},
        {"{\"mode\": \"span\", \"feature\": \"Circular Space Width\"}", "is not a feature of the span mode"},
        {"", "is not a part file"},
    };
    EnterAll({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputCTT_MOW, "0.155/0.157"}});
    const std::vector<std::string> before = Screen();
    for (const auto& [text, says] : damaged) {
        SCOPED_TRACE(text);
        platform().ClearRecords();
        Open(Write("bad.gear", text));
        ASSERT_EQ(platform().Messages().size(), 1u);
        EXPECT_EQ(platform().Messages()[0].title, "Involvo");
        EXPECT_NE(platform().Messages()[0].text.find(says), std::string::npos) << platform().Messages()[0].text;
        EXPECT_EQ(Screen(), before);
    }
    platform().ClearRecords();
    Open(folder / "missing.gear");
    EXPECT_NE(platform().Messages().at(0).text.find("could not be opened"), std::string::npos);
    EXPECT_EQ(Screen(), before);
}

TEST_F(PartWindows, SavePartWritesTheScreenTheReadingsAndThePartNumber) {
    EnterAll({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputCTT_MOW, "0.155/0.157"}});
    Calculate();
    OpenCheck();
    TypeReading(1, "2.6371");
    TypeReading(2, "2.63");
    screen().Activate();  // back on the input screen: the pages and the check close
    EXPECT_FALSE(app().IsLoaded(FormId::FrmCheckPart));
    Tools().ScriptFileName((folder / "gear24").string());
    screen().Click(ctl::MnuSavePart);
    const PartRead read = ReadPartFile(folder / "gear24.gear");
    ASSERT_TRUE(read.part) << read.message;
    EXPECT_EQ(read.part->entries.at("teeth"), "24");
    EXPECT_EQ(read.part->entries.at("value"), Text(ctl::InputCTT_MOW));
    EXPECT_EQ(read.part->readings, (std::vector<std::string>{"2.6371", "2.63"}));
    screen().Click(ctl::mnuFile);  // Open Recent offers it
    EXPECT_TRUE(screen().Enabled(ctl::MnuOpenRecent) && screen().Text(ctl::MnuRecent(1)) == "&1 gear24.gear");
}

}  // namespace
}  // namespace involvo::testing
