// What the Qt printer and the drawing write: the gear data sheet in a PDF file
// (printed from page 1, its value columns in line, nothing off the page), the
// print dialog's copies, failures reported; the measuring-aids drawing as SVG,
// PNG and a printed page, and its widget.
#include <QAction>
#include <QLabel>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QWheelEvent>

#include <cstdio>
#include <map>
#include <regex>

#include "engine/measuring_aids.h"
#include "engine/pin_picture.h"
#include "platform/headless.h"
#include "platform/qt_draw/aids_drawing.h"
#include "platform/qt_draw/aids_widget.h"
#include "platform/qt_print/qt_printer.h"
#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

std::string Run(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

struct Word {
    double xMin, xMax;
    std::string text;
};
struct PdfPage {
    double width = 0;
    std::vector<std::vector<Word>> lines;  // top to bottom, each left to right
    int pages = 0;
    std::string Text() const {
        std::string s = "| ";
        for (const auto& line : lines) {
            for (const auto& w : line) s += w.text + " ";
            s += "| ";
        }
        return s;
    }
};

// The words of the first page with their boxes, as pdftotext finds them.
PdfPage ReadPdf(const QString& file) {
    const std::string name = "'" + file.toStdString() + "'";
    const std::string s = Run("pdftotext -bbox -f 1 -l 1 " + name + " -");
    PdfPage page;
    std::smatch m;
    if (std::regex_search(s, m, std::regex(R"re(<page width="([0-9.]+)")re"))) page.width = std::stod(m[1]);
    const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::map<long, std::vector<Word>> lines;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), word); it != std::sregex_iterator(); ++it) {
        std::string text = std::regex_replace((*it)[4].str(), std::regex("&lt;"), "<");
        lines[std::lround(std::stod((*it)[3]))].push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::regex_replace(text, std::regex("&gt;"), ">")});
    }
    for (auto& [y, words] : lines) {
        std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.xMin < b.xMin; });
        page.lines.push_back(words);
    }
    std::sscanf(Run("pdfinfo " + name + " | grep '^Pages:'").c_str(), "Pages: %d", &page.pages);
    return page;
}

// Nothing passes the right margin of the file (10 mm).
void ExpectInsideTheMargin(const PdfPage& page) {
    ASSERT_GT(page.width, 0);
    for (const auto& line : page.lines)
        for (const auto& w : line) EXPECT_LT(w.xMax, page.width - 28) << w.text;
}

class PdfSheet : public ::testing::Test, public Folder {
protected:
    PdfSheet() {
        app_.SetPrintoutOptionsFile(Path(kOptionsFileName).toStdString());
        platform_.SetPrinter(&printer_);
        app_.StartUpWithoutSplash();
        for (int i = 1; i <= kOptionCount; ++i) gear_.PrintoutChoices[i] = i == kOptPartNumber ? 0 : 1;
    }
    ~PdfSheet() override { app_.Shutdown(); }
    // Types the gear in, calculates and prints from page 1.
    void Print(std::vector<std::pair<Control, std::string>> fields) {
        HeadlessView& screen = *platform_.ViewOf(FormId::FrmMain);
        for (const auto& [field, text] : fields) {
            screen.Type(field, text);
            screen.Leave();
        }
        screen.Press(ctl::CmdCalc);
        for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1})
            if (HeadlessView* page = platform_.ViewOf(id); page && page->IsShown()) page->Press(ctl::CmdPrint);
        platform_.RunTimers();
    }
    gearmain::GearMain gear_;
    HeadlessPlatform platform_;
    QtPrinter printer_{Path("sheet.pdf").toStdString()};
    Application app_{gear_, platform_};
};

// Every row's value stands right of its arrow, at the same place as every
// other row's value; so does the second (transverse) column.
TEST_F(PdfSheet, TheRowsOfTheSheetLineUpInsideThePage) {
    const std::string value = "0.155 / 0.157";  // a range: the widest rows there are
    for (bool helical : {false, true}) {
        Print({{ctl::InputNT, helical ? "25" : "24"}, {ctl::InputDP, "10"}, {ctl::InputHA, helical ? "30" : "0"},
               {ctl::ComboQuality, "8"}, {ctl::InputCTT_MOW, value}});
        const PdfPage page = ReadPdf(Path("sheet.pdf"));
        EXPECT_NE(page.Text().find(helical ? "| External Helical Gear Data |" : "| External Gear Data |"), std::string::npos)
            << page.Text();
        ExpectInsideTheMargin(page);
        std::vector<double> firsts, seconds;
        for (const auto& line : page.lines) {
            size_t arrow = 0;
            while (arrow + 1 < line.size() && line[arrow].text.find("->") == std::string::npos) ++arrow;
            if (arrow + 1 >= line.size()) continue;
            EXPECT_LT(line[arrow].xMax + 5, line[arrow + 1].xMin) << line[arrow + 1].text;
            firsts.push_back(line[arrow + 1].xMin);
            for (size_t i = arrow + 2; i < line.size(); ++i)
                if (line[i].xMin > line[i - 1].xMax + 40) {
                    seconds.push_back(line[i].xMin);
                    break;
                }
        }
        // 12 rows of page 1, 12 of page 2, the depth system, 6 tolerances.
        EXPECT_EQ(firsts.size(), 31u) << helical;
        EXPECT_EQ(seconds.empty(), !helical);
        for (double x : firsts) EXPECT_NEAR(x, firsts.front(), 0.5);
        for (double x : seconds) EXPECT_NEAR(x, seconds.front(), 0.5);
    }
}

TEST_F(PdfSheet, AFileThatCannotBeWrittenIsReported) {
    QtPrinter unwritable(Path("no-such-folder/sheet.pdf").toStdString());
    platform_.SetPrinter(&unwritable);
    Print({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}});
    platform_.SetPrinter(&printer_);
    ASSERT_EQ(platform_.Messages().size(), 1u);
    EXPECT_EQ(platform_.Messages()[0].text.rfind("The gear data sheet could not be printed: ", 0), 0u)
        << platform_.Messages()[0].text;
    EXPECT_FALSE(app_.IsLoaded(FormId::FrmPrinting));
}

class PrintToPdf : public QtProgram {
protected:
    PrintToPdf() : QtProgram(&printer_) {}
    QtPrinter printer_{Path("sheet.pdf").toStdString()};
};

// The "Printing ..." notice comes and goes without the activation: the input
// screen never becomes active, so the pages and the part number stay.
TEST_F(PrintToPdf, PrintingFromPageOneWritesTheSheetAndKeepsThePagesAndThePartNumber) {
    for (int i = 1; i <= kOptionCount; ++i) gear_.PrintoutChoices[i] = 1;
    ASSERT_TRUE(CalculateSpurGear());
    DialogHand hand;
    hand.Type("GEAR-24");
    Click(FormId::FrmOutput1, ctl::CmdPrint);
    ASSERT_TRUE(WaitFor([&] { return app_.IsLoaded(FormId::FrmPrinting); }));
    ASSERT_EQ(hand.Seen().size(), 1u);
    EXPECT_EQ(hand.Seen()[0].title, "Part number?");
    EXPECT_EQ(hand.Seen()[0].window, "FrmOutput1");
    EXPECT_EQ(Widget<QLabel>(FormId::FrmPrinting, ctl::Label1)->text(), "Printing ...");
    EXPECT_EQ(Window(FormId::FrmPrinting)->minimumSize(), Window(FormId::FrmPrinting)->maximumSize()) << "a fixed notice";
    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmPrinting); }));
    EXPECT_TRUE(Window(FormId::FrmOutput1)->isActiveWindow());
    EXPECT_TRUE(app_.IsLoaded(FormId::FrmOutput2) && app_.IsLoaded(FormId::AGMATOL));
    EXPECT_EQ(gear_.PartNumber, "GEAR-24");
    const std::string text = ReadPdf(Path("sheet.pdf")).Text();
    for (const char* line : {"| << Involvo >> |", "| Part Number / Title - GEAR-24 |", "| External Gear Data |"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " not in: " << text;
}

class PrintDialog : public QtProgram {
protected:
    PrintDialog() : QtProgram(&printer_) {}
    QtPrinter printer_;  // the machine's printers, through the dialog
};

TEST_F(PrintDialog, ThreeCopiesToThePdfPrinterAreThreePagesOfTheOneFile) {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has printers: the dialog would offer one of them first";
    ASSERT_TRUE(CalculateSpurGear());
    const QString file = Path("gear.pdf");
    QTimer hand;  // the user asks for three copies into a file of the PDF printer
    QObject::connect(&hand, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        auto* copies = dialog ? dialog->findChild<QSpinBox*>(QStringLiteral("copies")) : nullptr;
        auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("filename")) : nullptr;
        if (!copies || !name || !dialog->isVisible()) return;
        copies->setValue(3);
        name->setText(file);
        dialog->accept();
    });
    hand.start(20);
    DialogHand answers;  // the word on where the sheet went
    Widget<QAction>(FormId::FrmOutput1, ctl::mnuFilePrint)->trigger();
    hand.stop();
    EXPECT_EQ(ReadPdf(file).pages, 3);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].text, "The gear data sheet was saved in the file " + file.toStdString() +
                                          ", 3 copies, each on a page of its own.");
    EXPECT_EQ(printer_.Copies(), 1) << "the next dialog starts from one copy";
}

// ---- The measuring aids ----

// The drawing of a calculation of the dimension over (between) pins.
qtdraw::AidsDrawing DrawingOf(int16_t type, float teeth, float helix, float pin) {
    gearmain::GearMain gear;
    gear.StartUp();
    gear.CalcMode = 1;
    gear.GearType = type;
    gear.NumTeeth = teeth;
    gear.NormalDP = 10;
    gear.NormalPA = 20;
    gear.HelixAngle = helix;
    gear.FeatureValue = gear.Thick1 = 0.15708f;
    gear.PinDiameter = pin;
    gear.CalculateGear({});
    EXPECT_EQ(gear.CalcFailed, 0);
    return {gearmain::PinPictureOf(gear, gear.Thick1, gear.PinDiameter), gearmain::MeasuringAidsOf(gear), helix > 0,
            gear.ChordalText};
}

TEST(AidsFiles, TheSvgHoldsTheLabelsAlsoWhenThePinCannotBePlaced) {
    Folder folder;
    qtdraw::AidsDrawing drawing = DrawingOf(1, 24, 0, 0.1728f);
    for (bool placed : {true, false}) {
        if (!placed) drawing.picture.reset();
        ASSERT_EQ(qtdraw::SaveSvg(folder.Path("aids.svg"), drawing, QSize(800, 900)), QString());
        const QByteArray text = folder.Read("aids.svg");
        EXPECT_TRUE(text.startsWith("<?xml") && text.contains("Pins that work: ")) << placed;
        // 24 teeth of pitch 10: pitch circle 2.4; over 0.1728 pins 2.639969 (worked by hand).
        EXPECT_EQ(text.contains("Pitch dia. 2.40000") && text.contains("Over pins 2.639969"), placed);
        EXPECT_EQ(text.contains("The pin cannot be placed in the tooth space."), !placed);
    }
}

// The rows below the gear stand below its picture; the values they stress are bold.
TEST(AidsFiles, TheRowsOfTheSvgStandBelowTheGearWithTheirValuesInBold) {
    Folder folder;
    const qtdraw::AidsDrawing drawing = DrawingOf(1, 24, 0, 0.1728f);
    ASSERT_EQ(qtdraw::SaveSvg(folder.Path("aids.svg"), drawing, QSize(800, 900)), QString());
    const std::string svg = folder.Read("aids.svg").toStdString();
    const double below = qtdraw::PictureArea(QRectF(0, 0, 800, 900), drawing).bottom();
    const std::regex text(R"re(<text [^>]* y="([0-9.]+)"[^>]* font-weight="([0-9]+)"[^>]*\s*>([^<]*)</text>)re");
    std::vector<std::tuple<double, int, std::string>> texts;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator(); ++it)
        texts.emplace_back(std::stod((*it)[1]), std::stoi((*it)[2]), (*it)[3]);
    int rows = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto& [y, weight, content] = texts[i];
        for (const char* row : {"Pins that work: ", "Teeth spanned that work: ", "Chordal tooth thickness "}) {
            if (content.rfind(row, 0) != 0) continue;
            ++rows;
            EXPECT_GT(y, below) << content;
            EXPECT_LE(y, 900) << content;
        }
        if (content == " at chordal addendum " && i + 1 < texts.size()) {
            EXPECT_EQ(std::get<1>(texts[i + 1]), 700) << std::get<2>(texts[i + 1]);
        }
    }
    EXPECT_EQ(rows, 3);
}

TEST(AidsFiles, ThePngHasTheSizeAskedAndThePageIsPrinted) {
    Folder folder;
    ASSERT_EQ(qtdraw::SavePng(folder.Path("aids.png"), DrawingOf(2, 60, 0, 0.144f), QSize(600, 700)), QString());
    QImage image(folder.Path("aids.png"));
    EXPECT_EQ(image.size(), QSize(600, 700));
    EXPECT_NE(image.pixelColor(300, 350), image.pixelColor(0, 0)) << "the gear's ring is filled";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.Path("aids.pdf"));
    EXPECT_EQ(qtdraw::PrintAids(printer, DrawingOf(1, 25, 30, 0.1728f)), QString());
    EXPECT_EQ(ReadPdf(folder.Path("aids.pdf")).pages, 1);
}

TEST(AidsFiles, AFileThatCannotBeWrittenIsReportedAndNotLeftHalf) {
    Folder folder;
    const qtdraw::AidsDrawing drawing = DrawingOf(1, 24, 0, 0.1728f);
    EXPECT_NE(qtdraw::SavePng(folder.Path("none/aids.png"), drawing, QSize(300, 300)), QString());
    EXPECT_NE(qtdraw::SaveSvg(folder.Path("none/aids.svg"), drawing, QSize(300, 300)), QString());
    EXPECT_FALSE(QFile::exists(folder.Path("none/aids.png")));
}

TEST(AidsWidget, TheWheelZoomsAboutThePointerAndADoubleClickFits) {
    qtdraw::AidsWidget widget;
    widget.resize(640, 760);
    widget.SetDrawing(DrawingOf(1, 24, 0, 0.1728f));
    widget.show();
    const QRectF fitted = widget.Region();
    ASSERT_GT(fitted.width(), 0);
    auto toArea = [&](const QRectF& region) {
        return qtdraw::GearToArea(qtdraw::PictureArea(QRectF(widget.rect()), widget.Drawing()), region);
    };
    const QPointF pointer(400, 250);
    const QPointF under = toArea(fitted).inverted().map(pointer);
    QWheelEvent wheel(pointer, widget.mapToGlobal(pointer), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
    EXPECT_NEAR(widget.Region().width(), fitted.width() / 1.5625, fitted.width() * 1e-9);
    const QPointF after = toArea(widget.Region()).map(under);  // the point under the pointer stays there
    EXPECT_NEAR(after.x(), pointer.x(), 1e-6);
    EXPECT_NEAR(after.y(), pointer.y(), 1e-6);
    QTest::mouseDClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_EQ(widget.Region(), fitted);
}

}  // namespace
}  // namespace involvo::testing
