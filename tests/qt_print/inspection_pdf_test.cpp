// The inspection report through the Qt printer into a PDF file: its words are
// there, the result column lines up, nothing runs off the page. With
// INVOLVO_KEEP_PDF set the file is left in the temporary folder, to be looked at.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <cmath>
#include <algorithm>
#include <cctype>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "engine/inspection.h"
#include "platform/qt_print/qt_printer.h"
#include "printing/inspection_report.h"

namespace involvo {
namespace {

namespace fs = std::filesystem;

struct PdfWord {
    double xMin, xMax, yMax;
    std::string text;
};

// The words of the first page, line by line and left to right, and the page
// width.
std::vector<std::vector<PdfWord>> Lines(const fs::path& pdf, double& pageWidth) {
    const fs::path html = fs::path(pdf).concat(".html");
    const std::string command = "pdftotext -bbox -f 1 -l 1 '" + pdf.string() + "' '" + html.string() + "'";
    std::map<long, std::vector<PdfWord>> lines;
    std::vector<std::vector<PdfWord>> result;
    if (std::system(command.c_str()) != 0) return result;
    std::stringstream all;
    all << std::ifstream(html).rdbuf();
    const std::string s = all.str();
    std::smatch m;
    if (std::regex_search(s, m, std::regex(R"re(<page width="([0-9.]+)")re"))) pageWidth = std::stod(m[1]);
    const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(s.begin(), s.end(), word); it != std::sregex_iterator(); ++it) {
        PdfWord w{std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), (*it)[4]};
        lines[std::lround(w.yMax)].push_back(w);
    }
    for (auto& [y, words] : lines) {
        std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
        result.push_back(words);
    }
    return result;
}

TEST(InspectionPdf, TheReportIsOnOnePageWithItsColumnsInLine) {
    const fs::path dir = fs::temp_directory_path() / ("involvo-inspection-pdf-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path pdf = dir / "report.pdf";

    // 24 teeth, pitch 10, 20 degrees, 0.1728 pins, thickness band 0.155 / 0.157.
    gearmain::GearMain gear;
    gear.StartUp();
    gear.GearType = 1;
    gear.InputFeature = "Circular Tooth Thickness";
    gear.NumTeeth = 24;
    gear.NormalDP = 10;
    gear.NormalPA = 20;
    gear.PinDiameter = 0.1728f;
    gear.Thick1 = 0.157f;
    gear.Thick2 = 0.155f;
    gear.MeasureText = "2.635124 / 2.639784";
    gear.DepthName = "AGMA (Current standard)";
    InspectionReport report;
    report.partNumber = "A-1234";
    report.dateTime = "2025-03-14 10:42";
    report.inspection = gearmain::InspectPart(gear, {2.6371, 2.6368, 2.6399, 2.6366});
    report.gear = GearDataRows(gear, report.inspection);

    {
        QtPrintSession session;
        QtPrinter printer(pdf.string());
        ASSERT_TRUE(printer.ShowPrintDialog());
        ASSERT_EQ(PrintReportDocument(printer, report), std::nullopt);
    }

    double pageWidth = 0;
    const std::vector<std::vector<PdfWord>> lines = Lines(pdf, pageWidth);
    ASSERT_FALSE(lines.empty()) << "pdftotext found no text";
    std::string text;
    std::vector<double> results;  // where the result of each reading starts
    for (const auto& line : lines) {
        for (const auto& w : line) {
            text += w.text + " ";
            EXPECT_LT(w.xMax, pageWidth - 28) << w.text;  // inside the right margin (10 mm)
        }
        text += "| ";
        if (line.size() == 5 && line[0].text.size() == 1 && std::isdigit(static_cast<unsigned char>(line[0].text[0])))
            results.push_back(line[4].xMin);
    }
    for (const char* expected :
         {"| Inspection Report |", "| Part Number / Title - A-1234 |", "| Date and Time - 2025-03-14 10:42 |",
          "| Pin Diameter ", " 0.17280 |", "| Limits Low High |", " 2.635124 2.639784 |", " 0.155000 0.157000 |",
          "| 3 2.639900 0.157050 0.000116 over |", "| Verdict: REJECT |", "| Inspected by "})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in: " << text;
    ASSERT_EQ(results.size(), 4u);
    for (double x : results) EXPECT_NEAR(x, results.front(), 0.5);
    if (!std::getenv("INVOLVO_KEEP_PDF")) fs::remove_all(dir);
}

}  // namespace
}  // namespace involvo
