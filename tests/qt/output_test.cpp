// What the Qt printer and the drawing write: the gear data sheet in a PDF file
// (printed from page 1, its value columns in line, nothing off the page), the
// print dialog's copies; the measuring-aids drawing as SVG, PNG and a printed
// page.
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>

#include <cstdio>
#include <regex>
#include <set>
#include <sstream>

#include "engine/measuring_aids.h"
#include "engine/pin_picture.h"
#include "platform/headless.h"
#include "platform/qt_draw/aids_drawing.h"
#include "platform/qt_print/qt_printer.h"
#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

// What pdftotext makes of a PDF file (a form feed after each page).
std::string Pdftotext(const std::string& options, const QString& file) {
    std::string out;
    if (FILE* pipe = ::popen(("pdftotext " + options + " '" + file.toStdString() + "' - 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}
int PdfPages(const QString& file) {
    const std::string text = Pdftotext("", file);
    return static_cast<int>(std::count(text.begin(), text.end(), '\f'));
}

// Every row's value stands at the same place as every other row's value.
TEST(PdfSheet, TheValuesOfTheSheetLineUp) {
    Folder folder;
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    QtPrinter printer(folder.Path("sheet.pdf").toStdString());
    Application app(gear, platform);
    app.SetPrintoutOptionsFile(folder.Path(kOptionsFileName).toStdString());
    platform.SetPrinter(&printer);
    app.StartUpWithoutSplash();
    for (int i = 1; i <= kOptionCount; ++i) gear.PrintoutChoices[i] = i != kOptPartNumber;
    HeadlessView& screen = *platform.ViewOf(FormId::FrmMain);
    for (auto [field, text] : {std::pair{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputCTT_MOW, "0.155 / 0.157"}}) {
        screen.Type(field, text);
        screen.Leave();
    }
    screen.Press(ctl::CmdCalc);
    platform.ViewOf(FormId::FrmOutput1)->Press(ctl::CmdPrint);
    platform.RunTimers();
    app.Shutdown();
    std::istringstream text(Pdftotext("-layout", folder.Path("sheet.pdf")));
    std::multiset<size_t> columns;  // where the value after each row's arrow starts
    for (std::string line; std::getline(text, line);)
        if (size_t arrow = line.find("->"); arrow != std::string::npos) columns.insert(line.find_first_not_of(' ', arrow + 2));
    EXPECT_GT(columns.size(), 20u);
    EXPECT_EQ(columns.count(*columns.begin()), columns.size());
}

class PrintToPdf : public QtProgram {
protected:
    PrintToPdf() : QtProgram(&printer_) {}
    QtPrinter printer_{Path("sheet.pdf").toStdString()};
};

// The "Printing ..." notice comes and goes without the activation: the input
// screen never becomes active, so the pages and the part number stay.
TEST_F(PrintToPdf, PrintingFromPageOneWritesTheSheetAndKeepsThePagesAndThePartNumber) {
    gear_.PrintoutChoices[kOptPartNumber] = 1;
    ASSERT_TRUE(CalculateSpurGear());
    DialogHand hand;
    hand.Type("GEAR-24");
    Click(FormId::FrmOutput1, ctl::CmdPrint);
    ASSERT_TRUE(WaitFor([&] { return app_.IsLoaded(FormId::FrmPrinting); }));
    ASSERT_EQ(hand.seen.size(), 1u);
    EXPECT_EQ(hand.seen[0].window, "FrmOutput1");
    EXPECT_EQ(Window(FormId::FrmPrinting)->minimumSize(), Window(FormId::FrmPrinting)->maximumSize()) << "a fixed notice";
    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmPrinting); }));
    EXPECT_TRUE(Window(FormId::FrmOutput1)->isActiveWindow());
    EXPECT_TRUE(app_.IsLoaded(FormId::FrmOutput2) && app_.IsLoaded(FormId::AGMATOL));
    EXPECT_EQ(gear_.PartNumber, "GEAR-24");
    EXPECT_NE(Pdftotext("", Path("sheet.pdf")).find("GEAR-24"), std::string::npos);
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
    Trigger(FormId::FrmOutput1, ctl::mnuFilePrint);
    hand.stop();
    EXPECT_EQ(PdfPages(file), 3);
    ASSERT_EQ(answers.seen.size(), 1u);
    EXPECT_NE(answers.seen[0].text.find(file.toStdString()), std::string::npos);
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

TEST(AidsFiles, TheSvgHoldsTheLabelsBelowTheGearAlsoWhenThePinCannotBePlaced) {
    Folder folder;
    qtdraw::AidsDrawing drawing = DrawingOf(1, 24, 0, 0.1728f);
    for (bool placed : {true, false}) {
        if (!placed) drawing.picture.reset();
        const double below = qtdraw::PictureArea(QRectF(0, 0, 800, 900), drawing).bottom();
        ASSERT_EQ(qtdraw::SaveSvg(folder.Path("aids.svg"), drawing, QSize(800, 900)), QString());
        const std::string svg = folder.Read("aids.svg").toStdString();
        EXPECT_EQ(svg.find("The pin cannot be placed in the tooth space.") != std::string::npos, !placed);
        std::smatch row;  // the first row of the ranges, below the picture
        ASSERT_TRUE(std::regex_search(svg, row, std::regex(R"re(<text [^>]* y="([0-9.]+)"[^>]*\s*>Pins that work: )re")));
        EXPECT_GT(std::stod(row[1]), below);
    }
}

TEST(AidsFiles, ThePngHasTheSizeAskedAndThePageIsPrintedAndAFailureIsReported) {
    Folder folder;
    ASSERT_EQ(qtdraw::SavePng(folder.Path("aids.png"), DrawingOf(2, 60, 0, 0.144f), QSize(600, 700)), QString());
    QImage image(folder.Path("aids.png"));
    EXPECT_EQ(image.size(), QSize(600, 700));
    EXPECT_NE(image.pixelColor(300, 350), image.pixelColor(0, 0)) << "the gear's ring is filled";
    EXPECT_NE(qtdraw::SavePng(folder.Path("none/aids.png"), DrawingOf(1, 24, 0, 0.1728f), QSize(300, 300)), QString());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.Path("aids.pdf"));
    EXPECT_EQ(qtdraw::PrintAids(printer, DrawingOf(1, 25, 30, 0.1728f)), QString());
    EXPECT_EQ(PdfPages(folder.Path("aids.pdf")), 1);
}

}  // namespace
}  // namespace involvo::testing
