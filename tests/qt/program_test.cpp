// The whole program on real Qt windows: the text boxes, Enter pressed again and
// again, the options dialog left every way, the sheet printed into a PDF file,
// Check a Part, Measuring Aids, and the part files through the file dialogs.
#include <QFileDialog>
#include <QLabel>
#include <QProcess>

#include <set>
#include <sstream>

#include "platform/qt_draw/aids_widget.h"
#include "platform/qt_print/qt_printer.h"
#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

// The program printing into sheet.pdf, its file dialogs answered with `files`.
class ProgramTest : public QtProgram {
protected:
    ProgramTest() : QtProgram(&printer_) {
        QObject::connect(&fileHand, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || files.empty()) return;
            dialog->selectFile(files.front());
            files.pop_front();
            static_cast<QDialog*>(dialog)->accept();
        });
        fileHand.start(10);
    }
    // The text of the sheet as pdftotext lays it out.
    std::string Sheet() {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", Path("sheet.pdf"), "-"});
        return pdftotext.waitForFinished() ? pdftotext.readAllStandardOutput().toStdString() : "";
    }
    static QWidget* TopLevel(const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
        return nullptr;
    }
    QtPrinter printer_{Path("sheet.pdf").toStdString()};
    std::deque<QString> files;
    QTimer fileHand;
};

TEST_F(ProgramTest, AFieldReachedByMouseOrTabHasItsWholeTextSelectedSoTypingReplacesIt) {
    Enter(ctl::InputDP, "10");
    Enter(ctl::ComboQuality, "8");
    for (bool byTab : {false, true}) {
        for (auto [field, previous] : {std::pair{ctl::InputDP, ctl::InputNT}, std::pair{ctl::ComboQuality, ctl::InputFaceWidth}}) {
            QLineEdit* edit = Edit(field);
            View(FormId::FrmMain)->SetFocus(byTab ? previous : ctl::CmdCalc);
            if (byTab) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            // A click a little way into the text, where the caret would go.
            else QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() / 4, edit->height() / 2));
            ASSERT_EQ(View(FormId::FrmMain)->Focused(), field) << byTab;
            QTest::keyClicks(edit, "9");
            EXPECT_EQ(edit->text(), "9") << field << byTab;
        }
    }
}

TEST_F(ProgramTest, AClickIntoTheFieldThatHasTheFocusPlacesTheCaret) {
    Enter(ctl::InputNT, "24");
    QLineEdit* teeth = Edit(ctl::InputNT);
    QTest::mouseClick(teeth, Qt::LeftButton);
    QTest::mouseClick(teeth, Qt::LeftButton, {}, QPoint(teeth->width() - 4, teeth->height() / 2));
    QTest::keyClicks(teeth, "0");
    EXPECT_EQ(teeth->text(), "240");
}

TEST_F(ProgramTest, LeavingAFieldEndsItsUndoButAMenuTakingTheFocusDoesNot) {
    QLineEdit* teeth = Edit(ctl::InputNT);
    QTest::mouseClick(teeth, Qt::LeftButton);
    QTest::keyClicks(teeth, "2a4");
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(teeth, &popup);
    EXPECT_TRUE(teeth->isUndoAvailable());
    QTest::keyClick(teeth, Qt::Key_Tab);
    EXPECT_EQ(gear_.NumTeeth, 24.0f) << "the keys went through the filter to the gear";
    EXPECT_FALSE(teeth->isUndoAvailable()) << "a long session piles up no undo history";
}

// Enter on the input screen calculates, on a page moves on or closes it; a
// hurried user's run of Enters never lands on Exit.
TEST_F(ProgramTest, NoRunOfEntersEndsTheProgram) {
    DialogHand hand;  // answers OK to whatever a hurried Enter brings up
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    View(FormId::FrmMain)->SetFocus(ctl::InputNT);
    int pages = 0;
    for (int i = 1; i <= 40 && !app_.Ended(); ++i) {
        // A page closed by Enter leaves no window active: the user clicks on the input screen.
        if (!QTest::qWaitFor([] { return QApplication::activeWindow() != nullptr; }, 300) || i % 7 == 0)
            Window(FormId::FrmMain)->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 3000)) << i;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        Settle(20);
        pages += OnScreen(FormId::FrmOutput1);
        EXPECT_NE(View(FormId::FrmMain)->Focused(), ctl::cmdExit) << "Enter " << i;
    }
    EXPECT_FALSE(app_.Ended());
    EXPECT_GT(pages, 0) << "Enter calculated";
}

// Cancel, Escape, the title-bar button and another window of the program
// taking the activation all close the dialog and forget its ticks.
TEST_F(ProgramTest, EveryOtherWayOutOfTheOptionsDialogForgetsTheTicks) {
    const QByteArray before = Read(kOptionsFileName);
    for (int way = 0; way < 4; ++way) {
        Trigger(FormId::FrmMain, ctl::MnuCheckbox1);
        ASSERT_TRUE(WaitFor([&] { return OnScreen(FormId::FrmChecklist1) && Window(FormId::FrmChecklist1)->isActiveWindow(); }));
        Click(FormId::FrmChecklist1, ctl::Checkall);
        switch (way) {
            case 0: Click(FormId::FrmChecklist1, ctl::CmdCustom1Cancel); break;
            case 1: QTest::keyClick(Widget(FormId::FrmChecklist1, ctl::Check(5)), Qt::Key_Escape); break;
            case 2: EXPECT_FALSE(Window(FormId::FrmChecklist1)->close()); break;
            case 3: Window(FormId::FrmMain)->activateWindow(); break;
        }
        EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmChecklist1); })) << way;
        EXPECT_EQ(gear_.PrintoutChoices[5], 0) << way;
    }
    EXPECT_EQ(Read(kOptionsFileName), before);
    EXPECT_FALSE(app_.Ended());
}

// ---- The sheet, Check a Part, Measuring Aids, part files ----

// The "Printing ..." notice comes and goes without the activation: the input
// screen never becomes active, so the pages and the part number stay.
TEST_F(ProgramTest, PrintingFromPageOneWritesTheSheetAndKeepsThePagesAndThePartNumber) {
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
    EXPECT_NE(Sheet().find("GEAR-24"), std::string::npos);
}

// Every row's value stands at the same place as every other row's value.
TEST_F(ProgramTest, TheValuesOfTheSheetLineUp) {
    for (int i = 1; i <= kOptionCount; ++i) gear_.PrintoutChoices[i] = i != kOptPartNumber;
    ASSERT_TRUE(CalculateSpurGear("0.155 / 0.157"));
    Click(FormId::FrmOutput1, ctl::CmdPrint);
    ASSERT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmPrinting); }));
    std::istringstream text(Sheet());
    std::multiset<size_t> columns;  // where the value after each row's arrow starts
    for (std::string line; std::getline(text, line);)
        if (size_t arrow = line.find("->"); arrow != std::string::npos) columns.insert(line.find_first_not_of(' ', arrow + 2));
    EXPECT_GT(columns.size(), 20u);
    EXPECT_EQ(columns.count(*columns.begin()), columns.size());
}

TEST_F(ProgramTest, CheckAPartShowsTheVerdictAtOnceAndSavesTheReportAsPdf) {
    DialogHand hand;
    ASSERT_TRUE(CalculateSpurGear("0.155 / 0.157"));
    Trigger(FormId::FrmOutput1, ctl::mnuFileCheck);
    ASSERT_TRUE(WaitFor([&] { return OnScreen(FormId::FrmCheckPart); }));
    // 2.639784 is the larger limit: the second reading is over it.
    for (const char* reading : {"2.6361", "2.6398"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(reading));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(Widget<QLabel>(FormId::FrmCheckPart, ctl::LabelVerdict)->text(), "REJECT");
    // The part number is typed in the window, for the report and the part file.
    QTest::keyClicks(Widget<QLineEdit>(FormId::FrmCheckPart, ctl::TextPartNumber), "A-1");
    EXPECT_EQ(gear_.PartNumber, "A-1");
    files.push_back(Path("report"));
    Click(FormId::FrmCheckPart, ctl::CmdSavePdf);
    ASSERT_TRUE(WaitFor([&] { return !hand.seen.empty(); }));
    EXPECT_EQ(hand.seen.back().text, "The inspection report was saved in the file " + Path("report.pdf").toStdString() + ".");
    EXPECT_TRUE(Read("report.pdf").startsWith("%PDF"));
}

TEST_F(ProgramTest, MeasuringAidsDrawsThePinZoomsFitsAndSavesTheSvg) {
    ASSERT_TRUE(CalculateSpurGear());
    Trigger(FormId::FrmOutput1, ctl::mnuFileAids);
    QWidget* aids = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (aids = TopLevel("MeasuringAids")) != nullptr; }));
    // The drawing widget is no QObject class of its own: found by its name.
    auto* picture = static_cast<qtdraw::AidsWidget*>(aids->findChild<QWidget*>("MeasuringAidsPicture"));
    ASSERT_TRUE(picture && picture->Drawing().picture.has_value());
    const QRectF fitted = picture->Region();
    picture->ZoomAt(QPointF(picture->rect().center()), 2.0);
    EXPECT_LT(picture->Region().width(), fitted.width());
    QTest::mouseClick(aids->findChild<QPushButton*>("CmdFit"), Qt::LeftButton);
    EXPECT_EQ(picture->Region(), fitted);
    files.push_back(Path("aids"));
    QTest::mouseClick(aids->findChild<QPushButton*>("CmdSaveSvg"), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return Read("aids.svg").startsWith("<?xml"); }));
    EXPECT_TRUE(Read("aids.svg").contains("Pins that work: "));
    Click(FormId::FrmOutput1, ctl::CmdOK);  // it closes with page 1
    EXPECT_TRUE(WaitFor([&] { return TopLevel("MeasuringAids") == nullptr; }));
}

TEST_F(ProgramTest, SavePartAndOpenPartGoThroughTheFileDialogs) {
    Enter(ctl::InputNT, "24");
    files.push_back(Path("gear24"));
    Trigger(FormId::FrmMain, ctl::MnuSavePart);
    ASSERT_TRUE(WaitFor([&] { return Read("gear24.gear").startsWith("{"); }));
    Enter(ctl::InputNT, "31");
    files.push_back(Path("gear24.gear"));
    Trigger(FormId::FrmMain, ctl::MnuOpenPart);
    EXPECT_TRUE(WaitFor([&] { return Edit(ctl::InputNT)->text() == "24"; }));
}

}  // namespace
}  // namespace involvo::testing
