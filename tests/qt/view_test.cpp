// The Qt view's contract, seen by a presenter that records what reaches it:
// which user actions are forwarded, which are not (a message box taking the
// activation, the program's own changes), and what the View calls do.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>
#include <set>

#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

class Recorder : public Presenter {
public:
    void Activate() override { events.push_back("Activate"); }
    void Deactivate() override { events.push_back("Deactivate"); }
    bool KeyPress(Control control, int key) override {
        events.push_back("KeyPress " + NameOf(control) + " " + std::to_string(key));
        return accept.empty() || accept.find(static_cast<char>(key)) != std::string::npos;
    }
    bool KeyDown(int code) override {
        events.push_back("KeyDown " + std::to_string(code));
        return swallow.count(code) != 0;
    }
    void GotFocus(Control control) override { events.push_back("GotFocus " + NameOf(control)); }
    void LostFocus(Control control) override { events.push_back("LostFocus " + NameOf(control)); }
    void Change(Control control) override { events.push_back("Change " + NameOf(control)); }
    void Click(Control control) override { events.push_back("Click " + NameOf(control)); }
    void MouseMove(Control control) override { events.push_back("MouseMove " + NameOf(control)); }

    std::vector<std::string> Only(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.rfind(prefix, 0) == 0) out.push_back(e);
        return out;
    }
    std::vector<std::string> events;
    std::string accept;  // the keys taken; empty = all
    std::set<int> swallow;
};

class RecordingForms : public Forms {
public:
    View& Load(FormId) override { std::abort(); }
    bool IsLoaded(FormId) const override { return false; }
    void Show(FormId) override {}
    void ShowModal(FormId) override {}
    void Hide(FormId) override {}
    void Unload(FormId id) override { unloaded.push_back(id); }
    Presenter& PresenterOf(FormId) override { std::abort(); }
    Platform& platform() override { return *platform_; }
    Platform* platform_ = nullptr;
    std::vector<FormId> unloaded;
};

// One window of a form driven by a recorder.
class QtViewTest : public ::testing::Test {
protected:
    QtViewTest() {
        forms.platform_ = &platform;
        platform.SetForms(&forms);
    }

    QtView& Open(FormId id, Recorder& recorder) {
        views.push_back(platform.CreateView(id, recorder));
        recorder.Attach(*views.back());
        return static_cast<QtView&>(*views.back());
    }
    QtView& ShowActive(FormId id, Recorder& recorder) {
        QtView& view = Open(id, recorder);
        view.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view.window()));
        QTest::qWait(20);
        recorder.events.clear();
        return view;
    }
    template <class T>
    static T* Get(QtView& view, Control control) {
        return qobject_cast<T*>(view.ObjectOf(control));
    }

    QApplication& qapp = TheApp();
    QtPlatform platform;
    RecordingForms forms;
    std::vector<std::unique_ptr<View>> views;
};

using Events = std::vector<std::string>;

TEST_F(QtViewTest, ControlsOfOtherFormsAreHarmless) {
    Recorder r;
    QtView& view = Open(FormId::FrmMain, r);
    const Control nobody = ctl::Checkall;  // the printout options' control
    view.SetText(nobody, "x");
    view.SetToolTip(nobody, "x");
    view.SetForeground(nobody, kLightRed);
    view.SetEnabled(nobody, false);
    view.SetVisible(nobody, false);
    view.SetChecked(nobody, true);
    view.SetItems(nobody, {"a"});
    view.SetFocus(nobody);
    view.SelectAll(nobody);
    view.SetTabOrder({nobody, ctl::InputNT, nobody});
    view.FocusNext(false);
    EXPECT_EQ(view.Text(nobody), "");
    EXPECT_EQ(view.ToolTip(nobody), "");
    EXPECT_EQ(view.Foreground(nobody), Rgb{});
    EXPECT_TRUE(view.Enabled(nobody));
    EXPECT_TRUE(view.Visible(nobody));
    EXPECT_FALSE(view.Checked(nobody));
    EXPECT_TRUE(view.Items(nobody).empty());
}

TEST_F(QtViewTest, CarriageReturnsShowAsLineBreaksAndReadBackAsWritten) {
    Recorder r;
    QtView& view = Open(FormId::AGMATOL, r);
    view.SetText(ctl::Text1, "first\r\nsecond\r");
    EXPECT_EQ(Get<QLabel>(view, ctl::Text1)->text(), "first\nsecond\n");
    EXPECT_EQ(view.Text(ctl::Text1), "first\r\nsecond\r");
    view.SetText(ctl::Label(1), "one\rtwo");
    EXPECT_EQ(Get<QLabel>(view, ctl::Label(1))->text(), "one\ntwo");
    EXPECT_EQ(view.Text(ctl::Label(1)), "one\rtwo");
}

TEST_F(QtViewTest, TheWindowCaptionIsTheEmptyName) {
    Recorder r;
    QtView& view = Open(FormId::FrmOutput1, r);
    view.SetText(ctl::Window, "Calculated gear data page 1");
    EXPECT_EQ(view.window()->windowTitle(), "Calculated gear data page 1");
    EXPECT_EQ(view.Text(ctl::Window), "Calculated gear data page 1");
}

TEST_F(QtViewTest, OnlyTheUsersEditsAreChanges) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetText(ctl::InputNT, "5");
    EXPECT_TRUE(r.Only("Change").empty());
    auto* edit = Get<QLineEdit>(view, ctl::InputNT);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, "7");
    EXPECT_EQ(r.Only("Change"), Events{"Change InputNT"});
    EXPECT_EQ(r.Only("KeyPress"), Events{"KeyPress InputNT 55"});
    EXPECT_EQ(view.Text(ctl::InputNT), "57");
}

TEST_F(QtViewTest, RefusedKeysAndBackspaceGoThroughTheFilter) {
    Recorder r;
    r.accept = "1";
    QtView& view = ShowActive(FormId::FrmMain, r);
    auto* edit = Get<QLineEdit>(view, ctl::InputPA);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, "1x1");
    QTest::keyClick(edit, Qt::Key_Backspace);  // refused as well
    EXPECT_EQ(edit->text(), "11");
    EXPECT_EQ(r.Only("KeyPress"),
              (Events{"KeyPress InputPA 49", "KeyPress InputPA 120", "KeyPress InputPA 49", "KeyPress InputPA 8"}));
}

TEST_F(QtViewTest, APasteInsertsTheAcceptedCharactersAsEdits) {
    Recorder r;
    r.accept = "12";
    QtView& view = ShowActive(FormId::FrmMain, r);
    auto* edit = Get<QLineEdit>(view, ctl::InputDP);
    QTest::mouseClick(edit, Qt::LeftButton);
    r.events.clear();
    QGuiApplication::clipboard()->setText("1a2");
    QTest::keySequence(edit, QKeySequence::Paste);
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(r.events, (Events{"KeyPress InputDP 49", "Change InputDP", "KeyPress InputDP 97",
                                "KeyPress InputDP 50", "Change InputDP"}));
}

TEST_F(QtViewTest, FocusMovesWithinTheWindowAreReported) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmMain, r);
    QTest::mouseClick(Get<QLineEdit>(view, ctl::InputDP), Qt::LeftButton);
    r.events.clear();
    QTest::mouseClick(Get<QLineEdit>(view, ctl::InputPA), Qt::LeftButton);
    EXPECT_EQ(r.Only("LostFocus").size() + r.Only("GotFocus").size(), 2u);
    EXPECT_EQ(r.events.front(), "LostFocus InputDP");
    EXPECT_EQ(r.Only("GotFocus"), Events{"GotFocus InputPA"});
    EXPECT_EQ(view.Focused(), ctl::InputPA);

    r.events.clear();
    view.SetFocus(ctl::InputHA);  // the program's move runs both handlers at once
    EXPECT_EQ(r.events, (Events{"LostFocus InputPA", "GotFocus InputHA"}));
    QTest::qWait(20);
    EXPECT_EQ(r.events.size(), 2u);
    EXPECT_TRUE(Get<QLineEdit>(view, ctl::InputHA)->hasFocus());
}

TEST_F(QtViewTest, AMessageBoxTakesNeitherTheFocusNorTheActivation) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmMain, r);
    QTest::mouseClick(Get<QLineEdit>(view, ctl::InputNT), Qt::LeftButton);
    r.events.clear();
    DialogHand hand;
    EXPECT_EQ(view.MessageBox("Enter the number of gear teeth", "Involvo", MsgIcon::Critical, MsgButtons::OK),
              MsgAnswer::OK);
    QTest::qWait(200);
    EXPECT_EQ(r.events, Events{});
    ASSERT_EQ(hand.Seen().size(), 1u);
    EXPECT_EQ(hand.Seen()[0].window, "FrmMain");
    EXPECT_EQ(hand.Seen()[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(hand.Seen()[0].hasCancel);
    // The window is active again with the focus where it was.
    EXPECT_TRUE(view.window()->isActiveWindow());
    EXPECT_TRUE(Get<QLineEdit>(view, ctl::InputNT)->hasFocus());
}

TEST_F(QtViewTest, MessageBoxesReturnTheButtonPressed) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmMain, r);
    DialogHand hand;
    hand.Press(QMessageBox::Cancel);
    EXPECT_EQ(view.MessageBox("a\rb", "Involvo", MsgIcon::Exclamation, MsgButtons::OKCancel), MsgAnswer::Cancel);
    EXPECT_EQ(view.MessageBox("c", "Involvo", MsgIcon::Information, MsgButtons::OKCancel), MsgAnswer::OK);
    ASSERT_EQ(hand.Seen().size(), 2u);
    EXPECT_EQ(hand.Seen()[0].text, "a\nb");
    EXPECT_EQ(hand.Seen()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(hand.Seen()[1].icon, QMessageBox::Information);
}

TEST_F(QtViewTest, InputBoxesReturnTheAnswerOrEmptyOnCancel) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmMain, r);
    DialogHand hand;
    hand.Type("0.25");
    EXPECT_EQ(view.InputBox("Enter Hob or Shaper cutter whole depth.", "Input cutter depth", "0.2"), "0.25");
    EXPECT_EQ(view.InputBox("Again", "Input cutter depth", "0.2"), "");  // no answer left: Cancel
    ASSERT_EQ(hand.Seen().size(), 2u);
    EXPECT_EQ(hand.Seen()[0].title, "Input cutter depth");
    EXPECT_EQ(hand.Seen()[0].text, "Enter Hob or Shaper cutter whole depth.");
    EXPECT_EQ(hand.Seen()[0].window, "FrmMain");
    QTest::qWait(100);
    EXPECT_TRUE(r.Only("Activate").empty());
}

TEST_F(QtViewTest, TheActivationOfTheProgramsOwnShowIsNotForwarded) {
    Recorder r;
    QtView& view = Open(FormId::FrmOutput1, r);
    view.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.window()));
    QTest::qWait(50);
    EXPECT_TRUE(r.Only("Activate").empty());
    EXPECT_TRUE(view.IsShown());
}

TEST_F(QtViewTest, TheUserSwitchingBetweenWindowsActivatesAndDeactivates) {
    Recorder main, page;
    QtView& mainView = ShowActive(FormId::FrmMain, main);
    QtView& pageView = ShowActive(FormId::FrmOutput1, page);
    main.events.clear();
    page.events.clear();
    mainView.window()->activateWindow();  // the user clicks on the input screen
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainView.window()));
    QTest::qWait(20);
    EXPECT_EQ(main.Only("Activate"), Events{"Activate"});
    EXPECT_EQ(page.Only("Deactivate"), Events{"Deactivate"});
    // Nor is the focus coming back with the window a move between controls.
    EXPECT_TRUE(main.Only("GotFocus").empty());
    EXPECT_TRUE(main.Only("LostFocus").empty());
    (void)pageView;
}

TEST_F(QtViewTest, ClosingWithTheTitleBarAsksTheProgram) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmOutput1, r);
    EXPECT_FALSE(view.window()->close());
    EXPECT_TRUE(view.IsShown());
    EXPECT_EQ(forms.unloaded, std::vector<FormId>{FormId::FrmOutput1});
}

TEST_F(QtViewTest, OptionButtonsReportOnlyTheUsersSelection) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetChecked(ctl::External, true);
    view.SetChecked(ctl::Internal, false);
    EXPECT_TRUE(r.Only("Click").empty());
    // The presenter owns the selection: a click is reported, the marks stay.
    QTest::mouseClick(Get<QRadioButton>(view, ctl::Internal), Qt::LeftButton);
    EXPECT_EQ(r.Only("Click"), Events{"Click Internal"});
    EXPECT_TRUE(view.Checked(ctl::External));
    EXPECT_FALSE(view.Checked(ctl::Internal));
    // A click on the option already selected is no selection.
    r.events.clear();
    QTest::mouseClick(Get<QRadioButton>(view, ctl::External), Qt::LeftButton);
    EXPECT_TRUE(r.Only("Click").empty());
    EXPECT_TRUE(view.Checked(ctl::External));
}

TEST_F(QtViewTest, MenuItemsReportClicksAndTheFileMenuItsOpening) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetChecked(ctl::MnuDepth(1), true);
    Get<QAction>(view, ctl::MnuDepth(9))->trigger();
    EXPECT_EQ(r.Only("Click"), Events{"Click MnuDepth(9)"});
    EXPECT_TRUE(view.Checked(ctl::MnuDepth(1)));
    EXPECT_FALSE(view.Checked(ctl::MnuDepth(9)));
    r.events.clear();
    auto* file = Get<QMenu>(view, ctl::mnuFile);
    file->popup(view.window()->mapToGlobal(QPoint(0, 0)));
    QTest::qWait(20);
    file->hide();
    EXPECT_EQ(r.Only("Click"), Events{"Click mnuFile"});
}

TEST_F(QtViewTest, ListsKeepTheirTextWhenTheItemsChange) {
    Recorder r;
    QtView& view = Open(FormId::FrmMain, r);
    view.SetItems(ctl::Combo1, {"Circular Tooth Thickness", "Chordal Tooth Thickness"});
    view.SetText(ctl::Combo1, "Chordal Tooth Thickness");
    view.SetItems(ctl::Combo1, {"Circular Space Width", "Chordal Tooth Thickness", "Contributing Backlash"});
    EXPECT_EQ(view.Text(ctl::Combo1), "Chordal Tooth Thickness");
    EXPECT_EQ(view.Items(ctl::Combo1).size(), 3u);
    // A text outside the list is still the list's text.
    view.SetText(ctl::Combo1, "Span Measurement");
    EXPECT_EQ(view.Text(ctl::Combo1), "Span Measurement");
    EXPECT_EQ(Get<QLabel>(view, ctl::LabelCTT_MOW)->text(), "Span Measurement");
    view.SetText(ctl::ComboQuality, "7");
    EXPECT_EQ(view.Text(ctl::ComboQuality), "7");
}

TEST_F(QtViewTest, StatesAreTheControlsOwnSettings) {
    Recorder r;
    QtView& view = Open(FormId::FrmOutput2, r);  // not shown
    EXPECT_TRUE(view.Visible(ctl::Next));
    view.SetVisible(ctl::Next, false);
    view.SetEnabled(ctl::Next, false);
    EXPECT_FALSE(view.Visible(ctl::Next));
    EXPECT_FALSE(view.Enabled(ctl::Next));
    view.SetToolTip(ctl::Next, "Display Next Page");
    EXPECT_EQ(view.ToolTip(ctl::Next), "Display Next Page");
    view.SetForeground(ctl::Label(1), kDarkBlue);
    EXPECT_EQ(view.Foreground(ctl::Label(1)), kDarkBlue);
    EXPECT_EQ(Get<QLabel>(view, ctl::Label(1))->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

TEST_F(QtViewTest, TheFormSeesNavigationKeysFirst) {
    Recorder r;
    r.swallow = {kKeyDown};
    QtView& view = ShowActive(FormId::FrmMain, r);
    auto* list = Get<QComboBox>(view, ctl::ComboQuality);
    view.SetItems(ctl::ComboQuality, {"None", "3", "4"});
    view.SetText(ctl::ComboQuality, "None");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(r.Only("KeyDown"), Events{"KeyDown 40"});
    EXPECT_EQ(list->currentText(), "None");  // swallowed: the list did not move
    QTest::keyClick(Get<QLineEdit>(view, ctl::InputNT), Qt::Key_Return);
    EXPECT_EQ(r.Only("KeyDown").back(), "KeyDown 13");
}

TEST_F(QtViewTest, EnterPressesTheButtonItWasTypedOn) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmOutput1, r);
    view.SetFocus(ctl::Next1);
    r.events.clear();
    QTest::keyClick(Get<QPushButton>(view, ctl::Next1), Qt::Key_Return);
    EXPECT_EQ(r.events, (Events{"KeyDown 13", "Click Next1"}));
}

TEST_F(QtViewTest, TextBoxesReportClicks) {
    Recorder r;
    QtView& view = ShowActive(FormId::FrmMain, r);
    QTest::mouseClick(Get<QLineEdit>(view, ctl::InputCTT_MOW), Qt::LeftButton);
    EXPECT_EQ(r.Only("Click"), Events{"Click InputCTT_MOW"});
}

TEST_F(QtViewTest, TheSplashIsFramelessWithItsLargeName) {
    Recorder r;
    QtView& view = Open(FormId::frmSplash, r);
    EXPECT_TRUE(view.window()->windowFlags() & Qt::FramelessWindowHint);
    auto* name = Get<QLabel>(view, ctl::Label1);
    ASSERT_NE(name, nullptr);
    ASSERT_NE(Get<QLabel>(view, ctl::Label2), nullptr);
    EXPECT_EQ(name->font().family(), "Times New Roman");
    EXPECT_GE(name->font().pointSize(), 24);
}

TEST_F(QtViewTest, AModalFormKeepsItsCallerWaitingUntilHidden) {
    Recorder r;
    QtView& view = Open(FormId::frmAbout, r);
    bool hidden = false;
    QTimer::singleShot(50, [&] {
        hidden = true;
        view.Hide();
    });
    view.Show();
    EXPECT_TRUE(hidden);
    EXPECT_FALSE(view.IsShown());
}

// Every control of a form's list, the members of its arrays one by one.
std::vector<Control> Listed(FormId form) {
    std::vector<Control> controls;
    for (const FormControl& c : ControlsOf(form)) {
        if (c.last == 0) controls.push_back(Control(c.name));
        for (int i = 1; i <= c.last; ++i) controls.push_back(ControlArray(c.name)(i));
    }
    std::sort(controls.begin(), controls.end());
    return controls;
}

TEST_F(QtViewTest, EveryWindowHasExactlyTheControlsOfItsForm) {
    for (FormId form : {FormId::FrmMain, FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2,
                        FormId::FRMHelical2, FormId::AGMATOL, FormId::FrmChecklist1, FormId::frmSplash,
                        FormId::frmAbout, FormId::FrmPrinting}) {
        Recorder r;
        QtView& view = Open(form, r);
        EXPECT_EQ(view.Controls(), Listed(form)) << FormName(form);
        // The values of the result pages are read-only.
        for (Control control : view.Controls()) {
            if (auto* value = Get<QLineEdit>(view, control); value && ctl::Text.Has(control)) {
                EXPECT_TRUE(value->isReadOnly()) << FormName(form) << " " << control;
            }
        }
    }
}

}  // namespace
}  // namespace involvo::testing
