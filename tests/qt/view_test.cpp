// The Qt view's contract, seen by a presenter that records what reaches it:
// which user actions are forwarded, which are not (a message box taking the
// activation, the program's own changes), and what the View calls do.
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <set>

#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

using Events = std::vector<std::string>;

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
    // A click with the state the control has by then.
    void Click(Control control) override {
        events.push_back("Click " + NameOf(control) + (view().Checked(control) ? " checked" : ""));
    }
    void MouseMove(Control control) override { events.push_back("MouseMove " + NameOf(control)); }

    Events Only(const std::string& prefix, const std::string& or_ = "-") const {
        Events out;
        for (const std::string& e : events)
            if (e.rfind(prefix, 0) == 0 || e.rfind(or_, 0) == 0) out.push_back(e);
        return out;
    }
    Events events;
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

// Windows of forms, each driven by a recorder.
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
        Settle(20);
        recorder.events.clear();
        return view;
    }
    template <class T = QWidget>
    static T* Get(QtView& view, Control control) {
        return qobject_cast<T*>(view.ObjectOf(control));
    }
    void ClickInto(QtView& view, Control control) {
        QTest::mouseClick(Get(view, control), Qt::LeftButton);
        r.events.clear();
    }

    QtPlatform platform;
    RecordingForms forms;
    std::vector<std::unique_ptr<View>> views;
    Recorder r;
};

TEST_F(QtViewTest, EveryWindowHasExactlyTheControlsOfItsForm) {
    for (FormId form : {FormId::FrmMain, FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2,
                        FormId::FRMHelical2, FormId::AGMATOL, FormId::FrmChecklist1, FormId::frmSplash,
                        FormId::frmAbout, FormId::FrmPrinting}) {
        std::vector<Control> listed;
        for (const FormControl& c : ControlsOf(form)) {
            if (c.last == 0) listed.push_back(Control(c.name));
            for (int i = 1; i <= c.last; ++i) listed.push_back(ControlArray(c.name)(i));
        }
        std::sort(listed.begin(), listed.end());
        Recorder recorder;
        EXPECT_EQ(Open(form, recorder).Controls(), listed) << FormName(form);
    }
}

// Each kind of control is built as the widget that behaves as it.
TEST_F(QtViewTest, EachKindOfControlIsItsWidget) {
    QtView& main = Open(FormId::FrmMain, r);
    Recorder page;
    EXPECT_TRUE(Get<QLineEdit>(Open(FormId::FrmOutput1, page), ctl::Text(1))->isReadOnly()) << "the values of the pages";
    EXPECT_TRUE(Get<QComboBox>(main, ctl::ComboQuality)->isEditable() && !Get<QComboBox>(main, ctl::Combo1)->isEditable());
    EXPECT_TRUE(Get<QAction>(main, ctl::MnuMow)->isCheckable() && Get<QAction>(main, ctl::mnuHelpBar1)->isSeparator());
    const auto depth = Get<QMenu>(main, ctl::MnuDepthSystem)->actions();
    ASSERT_EQ(depth.size(), 9);
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(depth[i - 1], Get<QAction>(main, ctl::MnuDepth(i))) << i;
}

TEST_F(QtViewTest, TextsReadBackAsWrittenAndShowCarriageReturnsAsLineBreaks) {
    QtView& view = Open(FormId::AGMATOL, r);
    for (auto [control, text, shown] :
         {std::tuple{ctl::Text1, "first\r\nsecond\r", "first\nsecond\n"}, {ctl::Label(1), "one\rtwo", "one\ntwo"}}) {
        view.SetText(control, text);
        EXPECT_EQ(view.Text(control), text);
        EXPECT_EQ(view.ObjectOf(control)->property("text").toString(), shown);
    }
    view.SetText(ctl::Window, "Page 3");
    EXPECT_EQ(view.window()->windowTitle(), "Page 3");
}

TEST_F(QtViewTest, StatesAreTheControlsOwnSettings) {
    QtView& view = Open(FormId::FrmOutput2, r);  // not shown
    EXPECT_TRUE(view.Visible(ctl::Next));
    view.SetVisible(ctl::Next, false);
    view.SetEnabled(ctl::Next, false);
    EXPECT_TRUE(Get(view, ctl::Next)->isHidden() && !Get(view, ctl::Next)->isEnabled());
    EXPECT_FALSE(view.Visible(ctl::Next) || view.Enabled(ctl::Next));
    view.SetToolTip(ctl::Next, "Display Next Page");
    EXPECT_EQ(Get(view, ctl::Next)->toolTip(), "Display Next Page");
    view.SetForeground(ctl::Label(1), kDarkBlue);
    EXPECT_EQ(Get(view, ctl::Label(1))->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

TEST_F(QtViewTest, OnlyTheUsersEditsAreChanges) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetText(ctl::InputNT, "5");
    EXPECT_TRUE(r.Only("Change").empty());
    ClickInto(view, ctl::InputNT);
    QTest::keyClicks(Get(view, ctl::InputNT), "7");
    EXPECT_EQ(r.events, (Events{"KeyPress InputNT 55", "Change InputNT"}));
    EXPECT_EQ(view.Text(ctl::InputNT), "57");
}

// Keys, Backspace, an input method's text and a paste: each character asks the
// filter once; the refused ones do not reach the box. The quality list's own
// text box as well.
TEST_F(QtViewTest, EveryWayOfTypingGoesThroughTheKeyFilter) {
    r.accept = "1";
    QtView& view = ShowActive(FormId::FrmMain, r);
    auto* edit = Get<QLineEdit>(view, ctl::InputPA);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, "1x1");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QInputMethodEvent composed;
    composed.setCommitString("x1");
    QCoreApplication::sendEvent(edit, &composed);
    QGuiApplication::clipboard()->setText("a1");
    QTest::keySequence(edit, QKeySequence::Paste);
    EXPECT_EQ(edit->text(), "1111");
    EXPECT_EQ(r.Only("KeyPress"), (Events{"KeyPress InputPA 49", "KeyPress InputPA 120", "KeyPress InputPA 49",
                                          "KeyPress InputPA 8", "KeyPress InputPA 120", "KeyPress InputPA 49",
                                          "KeyPress InputPA 97", "KeyPress InputPA 49"}));
    auto* quality = Get<QComboBox>(view, ctl::ComboQuality);
    QTest::mouseClick(quality->lineEdit(), Qt::LeftButton);
    QTest::keyClicks(quality->lineEdit(), "x1");
    EXPECT_EQ(quality->currentText(), "1");
}

TEST_F(QtViewTest, FocusMovesAreReportedAndShowTheFocusMark) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    ClickInto(view, ctl::InputDP);
    QTest::mouseClick(Get(view, ctl::InputPA), Qt::LeftButton);
    EXPECT_EQ(r.Only("LostFocus", "GotFocus"), (Events{"LostFocus InputDP", "GotFocus InputPA"}));
    r.events.clear();
    view.SetFocus(ctl::InputHA);  // the program's move runs both handlers at once
    EXPECT_EQ(r.events, (Events{"LostFocus InputPA", "GotFocus InputHA"}));
    Settle(20);
    EXPECT_EQ(r.events.size(), 2u);
    EXPECT_TRUE(Get(view, ctl::InputHA)->hasFocus());
    // Moves along the program's tab order show the mark.
    view.SetTabOrder({ctl::External, ctl::Internal});
    view.SetFocus(ctl::External);
    view.FocusNext(false);
    EXPECT_EQ(view.Focused(), ctl::Internal);
    QStyleOptionButton option;
    option.initFrom(Get(view, ctl::Internal));
    EXPECT_TRUE((option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_KeyboardFocusChange));
}

// Message boxes and input boxes answer what was pressed or typed; they take
// neither the focus nor the activation from the window they stand on.
TEST_F(QtViewTest, DialogsReturnTheAnswerAndLeaveTheFocusAndTheActivation) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    ClickInto(view, ctl::InputNT);
    DialogHand hand;
    hand.Press(QMessageBox::Cancel);
    hand.Type("0.25");
    EXPECT_EQ(view.MessageBox("a\rb", "Involvo", MsgIcon::Exclamation, MsgButtons::OKCancel), MsgAnswer::Cancel);
    EXPECT_EQ(view.MessageBox("c", "Involvo", MsgIcon::Information, MsgButtons::OKCancel), MsgAnswer::OK);
    EXPECT_EQ(view.MessageBox("d", "Involvo", MsgIcon::Critical, MsgButtons::OK), MsgAnswer::OK);
    EXPECT_EQ(view.InputBox("Enter the depth.", "Input cutter depth", "0.2"), "0.25");
    EXPECT_EQ(view.InputBox("Again", "Input cutter depth", "0.2"), "");  // no answer left: Cancel
    ASSERT_EQ(hand.seen.size(), 5u);
    for (auto [i, icon] : {std::pair{0, QMessageBox::Warning}, {1, QMessageBox::Information}, {2, QMessageBox::Critical}})
        EXPECT_TRUE(hand.seen[i].window == "FrmMain" && hand.seen[i].hasCancel == (i != 2) && hand.seen[i].icon == icon) << i;
    EXPECT_EQ(hand.seen[0].title + "|" + hand.seen[0].text, "Involvo|a\nb");
    EXPECT_EQ(hand.seen[3].title + "|" + hand.seen[3].text, "Input cutter depth|Enter the depth.");
    Settle(200);
    EXPECT_EQ(r.events, Events{});
    EXPECT_TRUE(view.window()->isActiveWindow());
    EXPECT_TRUE(Get(view, ctl::InputNT)->hasFocus());
}

// The presenter owns the selection: a click is reported, the marks stay; a
// click on the option already selected is none.
TEST_F(QtViewTest, OptionButtonsReportOnlyTheUsersSelection) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetChecked(ctl::External, true);
    view.SetChecked(ctl::Internal, false);
    QTest::mouseClick(Get(view, ctl::Internal), Qt::LeftButton);
    QTest::mouseClick(Get(view, ctl::External), Qt::LeftButton);
    EXPECT_EQ(r.Only("Click"), Events{"Click Internal"});
    EXPECT_TRUE(view.Checked(ctl::External) && !view.Checked(ctl::Internal));
}

TEST_F(QtViewTest, CheckBoxesReportTheUsersTickAfterItChangedTheBox) {
    QtView& view = ShowActive(FormId::FrmChecklist1, r);
    view.SetChecked(ctl::Check(2), true);
    EXPECT_TRUE(view.Checked(ctl::Check(2)));
    auto* box = Get<QCheckBox>(view, ctl::Check(2));
    QStyleOptionButton option;
    option.initFrom(box);
    QRect square = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, square.center());
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(r.Only("Click"), (Events{"Click Check(2)", "Click Check(2) checked"}));
}

TEST_F(QtViewTest, MenuItemsReportClicksAndTheFileMenuItsOpening) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetChecked(ctl::MnuDepth(1), true);
    Get<QAction>(view, ctl::MnuDepth(9))->trigger();
    EXPECT_TRUE(view.Checked(ctl::MnuDepth(1)) && !view.Checked(ctl::MnuDepth(9)));
    auto* file = Get<QMenu>(view, ctl::mnuFile);
    file->popup(view.window()->mapToGlobal(QPoint(0, 0)));
    Settle(20);
    file->hide();
    EXPECT_EQ(r.Only("Click"), (Events{"Click MnuDepth(9)", "Click mnuFile"}));
}

// A list keeps its text when its items change, also a text outside them, and
// the value's caption follows the feature list.
TEST_F(QtViewTest, ListsKeepTheirTextWhenTheItemsChange) {
    QtView& view = Open(FormId::FrmMain, r);
    view.SetItems(ctl::Combo1, {"Circular Tooth Thickness", "Chordal Tooth Thickness"});
    view.SetText(ctl::Combo1, "Chordal Tooth Thickness");
    view.SetItems(ctl::Combo1, {"Circular Space Width", "Chordal Tooth Thickness"});
    EXPECT_EQ(view.Text(ctl::Combo1), "Chordal Tooth Thickness");
    EXPECT_EQ(view.Items(ctl::Combo1), (std::vector<std::string>{"Circular Space Width", "Chordal Tooth Thickness"}));
    view.SetText(ctl::Combo1, "Span Measurement");
    EXPECT_EQ(view.Text(ctl::Combo1), "Span Measurement");
    EXPECT_EQ(Get<QLabel>(view, ctl::LabelCTT_MOW)->text(), "Span Measurement");
}

// Arrows and Enter reach the form before the control: a key it swallows does
// nothing more; Enter on an option is no click, on a button it is one.
TEST_F(QtViewTest, TheFormSeesNavigationKeysFirst) {
    r.swallow = {kKeyDown};
    QtView& view = ShowActive(FormId::FrmMain, r);
    auto* list = Get<QComboBox>(view, ctl::ComboQuality);
    view.SetItems(ctl::ComboQuality, {"None", "3", "4"});
    view.SetText(ctl::ComboQuality, "None");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentText(), "None");
    QTest::keyClick(Get(view, ctl::InputNT), Qt::Key_Up);
    view.SetFocus(ctl::External);
    QTest::keyClick(Get(view, ctl::External), Qt::Key_Return);
    view.SetFocus(ctl::CmdCalc);
    QTest::keyClick(Get(view, ctl::CmdCalc), Qt::Key_Return);
    EXPECT_EQ(r.Only("KeyDown", "Click"),
              (Events{"KeyDown 40", "KeyDown 38", "KeyDown 13", "KeyDown 13", "Click CmdCalc"}));
}

TEST_F(QtViewTest, ClicksOnTextBoxesAndLabelsAndTheMouseOverThemAreReported) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    QTest::mouseClick(Get(view, ctl::InputCTT_MOW), Qt::LeftButton);
    QTest::mouseClick(Get(view, ctl::LabelStandard), Qt::LeftButton);
    EXPECT_EQ(r.Only("Click"), (Events{"Click InputCTT_MOW", "Click LabelStandard"}));
    QTest::mouseMove(Get(view, ctl::Internal));
    QWidget* background = view.window()->centralWidget();
    QTest::mouseMove(background, QPoint(2, background->height() - 2));
    Settle();
    EXPECT_EQ(r.Only("MouseMove").front(), "MouseMove Internal");
    EXPECT_EQ(r.Only("MouseMove").back(), "MouseMove ") << "the background";
}

}  // namespace
}  // namespace involvo::testing
