// The whole program on real Qt windows: the text boxes as a user meets them,
// Enter pressed again and again, the printout options dialog left every way.
#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

using ProgramTest = QtProgram;

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

}  // namespace
}  // namespace involvo::testing
