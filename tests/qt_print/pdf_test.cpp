// The Qt printer writes the gear data sheet into a PDF file: its lines are
// there, the arrows end before the values, the value columns line up and nothing
// runs off the page.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/qt_print/qt_printer.h"
#include "printing/printout_options.h"
#include "shell/application.h"

namespace involvo {
namespace {

namespace fs = std::filesystem;

struct Word {
    double xMin, yMin, xMax, yMax;
    std::string text;
};

struct PdfText {
    double pageWidth = 0;
    std::vector<std::vector<Word>> lines;  // words of one line, left to right
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& line : lines) {
            std::string s;
            for (const auto& w : line) s += (s.empty() ? "" : " ") + w.text;
            out.push_back(s);
        }
        return out;
    }
};

std::string Unescape(std::string s) {
    const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"},
                                                            {"&quot;", "\""}};
    for (const auto& [from, to] : entities)
        for (size_t at; (at = s.find(from)) != std::string::npos;) s.replace(at, std::string(from).size(), to);
    return s;
}

// The words of the first page with their boxes, as pdftotext finds them.
PdfText ReadPdf(const fs::path& pdf) {
    fs::path html = pdf;
    html += ".html";
    std::string command = "pdftotext -bbox -f 1 -l 1 '" + pdf.string() + "' '" + html.string() + "'";
    int status = std::system(command.c_str());
    PdfText text;
    if (status != 0) return text;
    std::ifstream in(html);
    std::stringstream all;
    all << in.rdbuf();
    const std::string s = all.str();
    std::smatch m;
    if (std::regex_search(s, m, std::regex(R"re(<page width="([0-9.]+)")re"))) text.pageWidth = std::stod(m[1]);
    std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::map<long, std::vector<Word>> byLine;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), word); it != std::sregex_iterator(); ++it) {
        Word w{std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4]),
               Unescape((*it)[5])};
        byLine[std::lround(w.yMax)].push_back(w);
    }
    for (auto& [y, words] : byLine) {
        std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.xMin < b.xMin; });
        text.lines.push_back(words);
    }
    return text;
}

class PdfSheet : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("involvo-qt-print-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        pdf_ = dir_ / "sheet.pdf";
        app_.SetPrintoutOptionsFile(dir_ / kOptionsFileName);
        printer_ = std::make_unique<QtPrinter>(pdf_.string());
        platform_.SetPrinter(printer_.get());
        app_.StartUpWithoutSplash();
    }
    void TearDown() override {
        app_.Shutdown();
        platform_.RunTimers();
        fs::remove_all(dir_);
    }

    HeadlessView* Calculate(const std::string& teeth, const std::string& helix, const std::string& value = "") {
        HeadlessView& screen = *platform_.ViewOf(FormId::FrmMain);
        auto enter = [&](Control field, const std::string& text) {
            screen.Type(field, text);
            screen.Leave();
        };
        enter(ctl::InputNT, teeth);
        enter(ctl::InputDP, "10");
        if (!helix.empty()) enter(ctl::InputHA, helix);
        enter(ctl::ComboQuality, "8");
        if (!value.empty()) enter(ctl::InputCTT_MOW, value);
        screen.Press(ctl::CmdCalc);
        for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1})
            if (HeadlessView* page = platform_.ViewOf(id); page && page->IsShown()) return page;
        return nullptr;
    }

    // Checks the rows of the sheet: every line whose first words end in an
    // arrow has its value to the right of the arrow, at the same place as every
    // other row's value; nothing passes the page's right edge.
    void ExpectRowsLineUp(const PdfText& text, size_t expectedRows) {
        ASSERT_GT(text.pageWidth, 0);
        std::vector<double> valueStarts, secondStarts;
        for (const auto& line : text.lines) {
            // Inside the right margin of the file (10 mm).
            for (const auto& w : line) EXPECT_LT(w.xMax, text.pageWidth - 28) << w.text;
            size_t arrow = 0;
            while (arrow < line.size() && line[arrow].text.back() != '>') ++arrow;
            if (arrow >= line.size() || arrow + 1 >= line.size() || line[arrow].text.find("--") == std::string::npos)
                continue;
            EXPECT_LT(line[arrow].xMax + 5, line[arrow + 1].xMin) << line[arrow + 1].text;
            valueStarts.push_back(line[arrow + 1].xMin);
            // A second value (the transverse column) is a word well right of the
            // first value's end, not the " / " of a range.
            for (size_t i = arrow + 2; i < line.size(); ++i)
                if (line[i].xMin > line[i - 1].xMax + 40) {
                    secondStarts.push_back(line[i].xMin);
                    break;
                }
        }
        EXPECT_EQ(valueStarts.size(), expectedRows);
        for (double x : valueStarts) EXPECT_NEAR(x, valueStarts.front(), 0.5);
        for (double x : secondStarts) EXPECT_NEAR(x, secondStarts.front(), 0.5);
    }

    fs::path dir_, pdf_;
    gearmain::GearMain gear_;
    HeadlessPlatform platform_;
    QtPrintSession session_;
    std::unique_ptr<QtPrinter> printer_;
    Application app_{gear_, platform_};
};

bool HasLine(const std::vector<std::string>& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

TEST_F(PdfSheet, SpurSheetLinesAreInThePdf) {
    HeadlessView* page = Calculate("24", "");
    ASSERT_NE(page, nullptr);
    for (int i = 1; i <= kOptionCount; ++i) gear_.PrintoutChoices[i] = i == 18 ? 0 : 1;
    gear_.PartNumber = "GX-100";
    page->Press(ctl::CmdPrint);
    ASSERT_TRUE(fs::exists(pdf_));
    EXPECT_TRUE(platform_.Messages().empty()) << platform_.Messages().front().text;
    PdfText text = ReadPdf(pdf_);
    std::vector<std::string> lines = text.Texts();
    ASSERT_FALSE(lines.empty()) << "pdftotext found no text";
    EXPECT_TRUE(HasLine(lines, "<< Involvo >>"));
    EXPECT_TRUE(HasLine(lines, "Part Number / Title - GX-100"));
    EXPECT_TRUE(HasLine(lines, "External Gear Data"));
    EXPECT_TRUE(HasLine(lines, "AGMA Quality Tolerances for quality ( 8 )"));
    auto row = [&](const std::string& caption, const std::string& value) {
        for (const auto& line : lines)
            if (line.rfind(caption + " ", 0) == 0 && line.size() > value.size() &&
                line.compare(line.size() - value.size(), value.size(), value) == 0 &&
                line.find("->") != std::string::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(row("Number of Teeth", "24"));
    EXPECT_TRUE(row("Pitch Diameter", "2.400000"));
    EXPECT_TRUE(row("Dimension Over Pins", "2.639969"));
    EXPECT_TRUE(row("Depth System", gear_.DepthName)) << gear_.DepthName;
    EXPECT_TRUE(row("Runout Tolerance", "0.00240"));
    // 12 rows of page 1, 12 of page 2, the depth system, 6 tolerances.
    ExpectRowsLineUp(text, 31);
}

TEST_F(PdfSheet, HelicalSheetKeepsBothColumnsOnThePage) {
    // A thickness range: two values in both columns, the widest lines there are.
    HeadlessView* page = Calculate("25", "30", "0.155 / 0.157");
    ASSERT_NE(page, nullptr);
    for (int i = 1; i <= kOptionCount; ++i) gear_.PrintoutChoices[i] = i == 18 ? 0 : 1;
    page->Press(ctl::CmdPrint);
    PdfText text = ReadPdf(pdf_);
    std::vector<std::string> lines = text.Texts();
    ASSERT_FALSE(lines.empty()) << "pdftotext found no text";
    EXPECT_TRUE(HasLine(lines, "External Helical Gear Data"));
    EXPECT_TRUE(HasLine(lines, "Normal Transverse"));
    bool range = false;
    for (const auto& line : lines)
        if (line.find("0.155000 / 0.157000 0.178979 / 0.181288") != std::string::npos) range = true;
    EXPECT_TRUE(range);
    ExpectRowsLineUp(text, 31);
}

TEST_F(PdfSheet, AFileThatCannotBeWrittenIsReported) {
    HeadlessView* page = Calculate("24", "");
    ASSERT_NE(page, nullptr);
    QtPrinter unwritable((dir_ / "no-such-folder" / "sheet.pdf").string());
    platform_.SetPrinter(&unwritable);
    page->Press(ctl::CmdPrint);
    platform_.SetPrinter(printer_.get());
    ASSERT_EQ(platform_.Messages().size(), 1u);
    EXPECT_NE(platform_.Messages()[0].text.find("could not be printed"), std::string::npos)
        << platform_.Messages()[0].text;
    EXPECT_FALSE(app_.IsLoaded(FormId::FrmPrinting));
}

// The text of each page of a PDF file, as pdftotext reads it.
std::vector<std::string> PageTexts(const fs::path& pdf) {
    std::vector<std::string> pages;
    for (int n = 1; n < 100; ++n) {
        fs::path out = pdf;
        out += ".page" + std::to_string(n) + ".txt";
        std::string command = "pdftotext -q -f " + std::to_string(n) + " -l " + std::to_string(n) + " '" +
                              pdf.string() + "' '" + out.string() + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0 || !fs::exists(out)) break;
        std::ifstream in(out);
        std::stringstream all;
        all << in.rdbuf();
        if (all.str().find_first_not_of(" \n\f") == std::string::npos) break;  // past the last page
        pages.push_back(all.str());
    }
    return pages;
}

TEST_F(PdfSheet, EveryCopyAskedForIsAPageOfTheOneFile) {
    HeadlessView* page = Calculate("24", "");
    ASSERT_NE(page, nullptr);
    for (int copies : {1, 2, 3}) {
        fs::remove(pdf_);
        printer_->SetCopies(copies);  // as the print dialog was answered
        page->Click(ctl::mnuFilePrint);
        platform_.RunTimers();
        ASSERT_TRUE(fs::exists(pdf_)) << copies;
        std::vector<std::string> pages = PageTexts(pdf_);
        ASSERT_EQ(pages.size(), static_cast<size_t>(copies)) << copies << " copies asked for";
        EXPECT_NE(pages.front().find("<< Involvo >>"), std::string::npos);
        EXPECT_NE(pages.front().find("2.639969"), std::string::npos);
        for (const std::string& copy : pages) EXPECT_EQ(copy, pages.front()) << "every copy is the whole sheet";
        EXPECT_EQ(printer_->Copies(), 1) << "the dialog starts from one copy again";
    }
}

}  // namespace
}  // namespace involvo
