// The result pages on real Qt windows: walking through them, the helical advice
// box, returning to the input screen, and the end of the program.
#include <QLabel>

#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

class ResultWindows : public QtProgram {
protected:
    // A spur gear of 24 teeth, pitch 10, with the standard pin and no warning.
    void CalculateSpurGear() {
        Enter(ctl::InputNT, "24");
        Enter(ctl::InputDP, "10");
        QTest::mouseClick(Main<QPushButton>(ctl::CmdCalc), Qt::LeftButton);
        WaitFor([&] { return OnScreen(FormId::FrmOutput1); });
    }
    bool OnScreen(FormId id) { return app_.IsLoaded(id) && Window(id) && Window(id)->isVisible(); }
    QString Caption(FormId id, Control label) {
        auto* l = Widget<QLabel>(id, label);
        return l ? l->text() : QString();
    }
};

TEST_F(ResultWindows, CalculateOpensPageOneActive) {
    DialogHand hand;
    CalculateSpurGear();
    EXPECT_TRUE(hand.Seen().empty());
    ASSERT_TRUE(OnScreen(FormId::FrmOutput1));
    EXPECT_TRUE(QTest::qWaitForWindowActive(Window(FormId::FrmOutput1)));
    EXPECT_EQ(Caption(FormId::FrmOutput1, ctl::Label(6)), "Dimension Over Pins");
    EXPECT_EQ(View(FormId::FrmOutput1)->Focused(), ctl::Next1);
}

TEST_F(ResultWindows, EnterOnTheCalculateButtonCalculates) {
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    View(FormId::FrmMain)->SetFocus(ctl::CmdCalc);
    QTest::keyClick(Main<QPushButton>(ctl::CmdCalc), Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return OnScreen(FormId::FrmOutput1); }));
}

TEST_F(ResultWindows, AfterCalculateByMouseOrEnterTheFocusIsNotOnExit) {
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    for (bool byEnter : {false, true}) {
        auto* calc = Main<QPushButton>(ctl::CmdCalc);
        if (byEnter) {
            View(FormId::FrmMain)->SetFocus(ctl::CmdCalc);
            QTest::keyClick(calc, Qt::Key_Return);
        } else {
            QTest::mouseClick(calc, Qt::LeftButton);
        }
        ASSERT_TRUE(WaitFor([&] { return OnScreen(FormId::FrmOutput1); })) << byEnter;
        EXPECT_NE(View(FormId::FrmMain)->Focused(), ctl::cmdExit) << byEnter;
        EXPECT_FALSE(Main<QPushButton>(ctl::cmdExit)->hasFocus()) << byEnter;
        // Back on the input screen, the next Enter calculates again.
        Window(FormId::FrmMain)->activateWindow();
        ASSERT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmOutput1); })) << byEnter;
        EXPECT_EQ(View(FormId::FrmMain)->Focused(), ctl::CmdCalc) << byEnter;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(WaitFor([&] { return OnScreen(FormId::FrmOutput1); })) << byEnter;
        EXPECT_FALSE(app_.Ended());
        Window(FormId::FrmMain)->activateWindow();
        ASSERT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmOutput1); })) << byEnter;
    }
}

TEST_F(ResultWindows, NoRunOfEntersEndsTheProgram) {
    DialogHand hand;  // answers OK to whatever a hurried Enter brings up
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    View(FormId::FrmMain)->SetFocus(ctl::InputNT);
    for (int i = 1; i <= 40 && !app_.Ended(); ++i) {
        // A page closed by Enter leaves no window active: the user clicks on
        // the input screen.
        if (!QTest::qWaitFor([] { return QApplication::activeWindow() != nullptr; }, 300))
            Window(FormId::FrmMain)->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 3000)) << "Enter " << i;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        Settle(20);
        EXPECT_NE(View(FormId::FrmMain)->Focused(), ctl::cmdExit) << "Enter " << i;
        // Now and then the user clicks back on the input screen.
        if (i % 7 == 0) {
            Window(FormId::FrmMain)->activateWindow();
            Settle();
        }
    }
    EXPECT_FALSE(app_.Ended());
    EXPECT_TRUE(OnScreen(FormId::FrmMain));
}

TEST_F(ResultWindows, NextAndBackWalkThePages) {
    CalculateSpurGear();
    ASSERT_TRUE(OnScreen(FormId::FrmOutput1));
    QTest::mouseClick(Widget<QPushButton>(FormId::FrmOutput1, ctl::Next1), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return OnScreen(FormId::FrmOutput2); }));
    EXPECT_FALSE(Window(FormId::FrmOutput1)->isVisible());  // page 2 hides page 1
    EXPECT_EQ(Caption(FormId::FrmOutput2, ctl::Label(5)), "Outside Diameter");
    // Without a quality number there is no way on to the tolerances.
    EXPECT_TRUE(Widget<QPushButton>(FormId::FrmOutput2, ctl::Next)->isHidden());

    QTest::mouseClick(Widget<QPushButton>(FormId::FrmOutput2, ctl::Back), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return OnScreen(FormId::FrmOutput1); }));
    EXPECT_FALSE(app_.IsLoaded(FormId::FrmOutput2));
}

TEST_F(ResultWindows, ClickingTheInputScreenClosesTheResultPages) {
    CalculateSpurGear();
    ASSERT_TRUE(OnScreen(FormId::FrmOutput1));
    Window(FormId::FrmMain)->activateWindow();  // the user clicks on the input screen
    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmOutput1); }));
}

TEST_F(ResultWindows, TheHelicalAdviceLeavesItsPageOnScreen) {
    DialogHand hand;
    Enter(ctl::InputNT, "25");
    Enter(ctl::InputDP, "10");
    Enter(ctl::InputHA, "15");
    QTest::mouseClick(Main<QPushButton>(ctl::CmdCalc), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return hand.Seen().size() == 1 && OnScreen(FormId::FrmHelical1); }));

    ASSERT_EQ(hand.Seen().size(), 1u);
    EXPECT_EQ(hand.Seen()[0].window, "FrmHelical1");
    EXPECT_EQ(hand.Seen()[0].icon, QMessageBox::Information);
    EXPECT_EQ(hand.Seen()[0].text,
              "Odd tooth helical gears should be measured using balls\n"
              "or measured from the center of the gear over one pin.");
    ASSERT_TRUE(OnScreen(FormId::FrmHelical1));
    EXPECT_TRUE(Window(FormId::FrmHelical1)->isActiveWindow());
    EXPECT_EQ(Caption(FormId::FrmHelical1, ctl::Label(6)), "Dimension Over Balls");
}

TEST_F(ResultWindows, ClosingAPageWithItsTitleBarUnloadsIt) {
    CalculateSpurGear();
    ASSERT_TRUE(OnScreen(FormId::FrmOutput1));
    Window(FormId::FrmOutput1)->close();
    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmOutput1); }));
    EXPECT_FALSE(app_.Ended());
}

TEST_F(ResultWindows, ClosingTheInputScreenEndsTheProgram) {
    CalculateSpurGear();
    Window(FormId::FrmMain)->close();
    EXPECT_TRUE(WaitFor([&] { return app_.Ended(); }));
    EXPECT_FALSE(app_.IsLoaded(FormId::FrmOutput1));
    EXPECT_FALSE(app_.IsLoaded(FormId::FrmMain));
}

}  // namespace
}  // namespace involvo::testing
