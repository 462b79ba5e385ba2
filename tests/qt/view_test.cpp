// The Qt view's contract, seen by a presenter that records what reaches it:
// which user actions are forwarded, which are not (a message box taking the
// activation, the program's own changes), and what the View calls do.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
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

    Events Only(const std::string& prefix) const {
        Events out;
        std::copy_if(events.begin(), events.end(), std::back_inserter(out),
                     [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
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
    void ClickInto(QtView& view, Control control, Recorder& r) {
        QTest::mouseClick(Get(view, control), Qt::LeftButton);
        r.events.clear();
    }

    QtPlatform platform;
    RecordingForms forms;
    std::vector<std::unique_ptr<View>> views;
    Recorder r;
};

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
        Recorder recorder;
        EXPECT_EQ(Open(form, recorder).Controls(), Listed(form)) << FormName(form);
    }
}

// Each kind of control is built as the widget that behaves as it.
TEST_F(QtViewTest, EachKindOfControlIsItsWidget) {
    QtView& main = Open(FormId::FrmMain, r);
    Recorder page, options;
    QtView& output = Open(FormId::FrmOutput1, page);
    QtView& checklist = Open(FormId::FrmChecklist1, options);
    auto action = [&](Control c) { return Get<QAction>(main, c); };
    EXPECT_FALSE(Get<QLineEdit>(main, ctl::InputNT)->isReadOnly());
    EXPECT_TRUE(Get<QLineEdit>(output, ctl::Text(1))->isReadOnly()) << "the values of the pages";
    EXPECT_FALSE(Get<QComboBox>(main, ctl::Combo1)->isEditable());
    EXPECT_TRUE(Get<QComboBox>(main, ctl::ComboQuality)->isEditable());
    EXPECT_TRUE(Get<QRadioButton>(main, ctl::Internal));
    EXPECT_TRUE(Get<QGroupBox>(main, ctl::Frame1)->isAncestorOf(Get(main, ctl::External)));
    EXPECT_TRUE(Get<QPushButton>(main, ctl::CmdCalc));
    EXPECT_TRUE(Get<QLabel>(main, ctl::LabelStandard));
    EXPECT_TRUE(Get<QCheckBox>(checklist, ctl::Check(18)));
    EXPECT_TRUE(Get<QGroupBox>(checklist, ctl::Frame1)->isAncestorOf(Get(checklist, ctl::Check(18))));
    EXPECT_FALSE(Get<QGroupBox>(checklist, ctl::Frame1)->isAncestorOf(Get(checklist, ctl::Checkall)));
    EXPECT_TRUE(Get<QMenu>(main, ctl::mnuFile));
    EXPECT_FALSE(action(ctl::MnuExit)->isCheckable());
    EXPECT_TRUE(action(ctl::MnuMow)->isCheckable());
    // A separator has no text: a menu would draw it as a heading.
    EXPECT_TRUE(action(ctl::mnuHelpBar1)->isSeparator() && action(ctl::mnuHelpBar1)->text().isEmpty());
    Recorder splashRecorder;
    QtView& splash = Open(FormId::frmSplash, splashRecorder);
    EXPECT_TRUE(splash.window()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(Get(splash, ctl::Label1)->font().bold());
    EXPECT_TRUE(splash.window()->centralWidget()->autoFillBackground()) << "the splash paints its background";
    auto depth = Get<QMenu>(main, ctl::MnuDepthSystem)->actions();
    ASSERT_EQ(depth.size(), 9);
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(depth[i - 1], action(ctl::MnuDepth(i))) << i;
}

TEST_F(QtViewTest, TextsReadBackAsWrittenAndShowCarriageReturnsAsLineBreaks) {
    struct Row {
        FormId form;
        Control control;
        std::string text;
        QString shown;
    };
    for (const Row& row : std::vector<Row>{
             {FormId::AGMATOL, ctl::Text1, "first\r\nsecond\r", "first\nsecond\n"},
             {FormId::AGMATOL, ctl::Label(1), "one\rtwo", "one\ntwo"},
             {FormId::FrmOutput1, ctl::Window, "Calculated gear data page 1", "Calculated gear data page 1"},
             {FormId::FrmMain, ctl::mnuFile, "&File", "&File"},
             {FormId::FrmMain, ctl::MnuExit, "E&xit", "E&xit"},
             {FormId::FrmMain, ctl::mnuHelpBar1, "-", ""}}) {
        Recorder recorder;
        QtView& view = Open(row.form, recorder);
        view.SetText(row.control, row.text);
        EXPECT_EQ(view.Text(row.control), row.text) << row.control;
        QObject* object = view.ObjectOf(row.control);
        QString shown = row.control == ctl::Window ? view.window()->windowTitle()
                        : qobject_cast<QMenu*>(object) ? qobject_cast<QMenu*>(object)->title()
                                                        : object->property("text").toString();
        EXPECT_EQ(shown, row.shown) << row.control;
    }
}

TEST_F(QtViewTest, StatesAreTheControlsOwnSettings) {
    QtView& view = Open(FormId::FrmOutput2, r);  // not shown
    EXPECT_TRUE(view.Visible(ctl::Next));
    view.SetVisible(ctl::Next, false);
    view.SetEnabled(ctl::Next, false);
    EXPECT_TRUE(Get(view, ctl::Next)->isHidden());
    EXPECT_FALSE(view.Visible(ctl::Next) || view.Enabled(ctl::Next) || Get(view, ctl::Next)->isEnabled());
    view.SetToolTip(ctl::Next, "Display Next Page");
    EXPECT_EQ(view.ToolTip(ctl::Next), "Display Next Page");
    EXPECT_EQ(Get(view, ctl::Next)->toolTip(), "Display Next Page");
    view.SetForeground(ctl::Label(1), kDarkBlue);
    EXPECT_EQ(view.Foreground(ctl::Label(1)), kDarkBlue);
    EXPECT_EQ(Get(view, ctl::Label(1))->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_FALSE(Get<QPushButton>(view, ctl::CmdPrint)->icon().isNull());
}

TEST_F(QtViewTest, OnlyTheUsersEditsAreChanges) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetText(ctl::InputNT, "5");
    EXPECT_TRUE(r.Only("Change").empty());
    ClickInto(view, ctl::InputNT, r);
    QTest::keyClicks(Get(view, ctl::InputNT), "7");
    EXPECT_EQ(r.events, (Events{"KeyPress InputNT 55", "Change InputNT"}));
    EXPECT_EQ(view.Text(ctl::InputNT), "57");
}

TEST_F(QtViewTest, TypedKeysAndBackspaceGoThroughTheKeyFilter) {
    r.accept = "1";
    QtView& view = ShowActive(FormId::FrmMain, r);
    auto* edit = Get<QLineEdit>(view, ctl::InputPA);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, "1x1");
    QTest::keyClick(edit, Qt::Key_Backspace);  // refused as well
    EXPECT_EQ(edit->text(), "11");
    // Text from an input method goes through the filter too, once.
    QInputMethodEvent composed;
    composed.setCommitString("x1");
    QCoreApplication::sendEvent(edit, &composed);
    EXPECT_EQ(edit->text(), "111");
    EXPECT_EQ(r.Only("KeyPress InputPA"), (Events{"KeyPress InputPA 49", "KeyPress InputPA 120", "KeyPress InputPA 49",
                                                  "KeyPress InputPA 8", "KeyPress InputPA 120", "KeyPress InputPA 49"}));
    // The quality list's own text box as well.
    auto* quality = Get<QComboBox>(view, ctl::ComboQuality);
    QTest::mouseClick(quality->lineEdit(), Qt::LeftButton);
    QTest::keyClicks(quality->lineEdit(), "x1");
    EXPECT_EQ(quality->currentText(), "1");
    EXPECT_EQ(r.Only("KeyPress ComboQuality"), (Events{"KeyPress ComboQuality 120", "KeyPress ComboQuality 49"}));
}

TEST_F(QtViewTest, APasteInsertsTheAcceptedCharactersAsEdits) {
    r.accept = "12";
    QtView& view = ShowActive(FormId::FrmMain, r);
    ClickInto(view, ctl::InputDP, r);
    QGuiApplication::clipboard()->setText("1a2");
    QTest::keySequence(Get(view, ctl::InputDP), QKeySequence::Paste);
    EXPECT_EQ(view.Text(ctl::InputDP), "12");
    EXPECT_EQ(r.events, (Events{"KeyPress InputDP 49", "Change InputDP", "KeyPress InputDP 97",
                                "KeyPress InputDP 50", "Change InputDP"}));
}

TEST_F(QtViewTest, FocusMovesWithinTheWindowAreReported) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    ClickInto(view, ctl::InputDP, r);
    QTest::mouseClick(Get(view, ctl::InputPA), Qt::LeftButton);
    EXPECT_EQ(r.Only("LostFocus"), Events{"LostFocus InputDP"});
    EXPECT_EQ(r.Only("GotFocus"), Events{"GotFocus InputPA"});
    EXPECT_EQ(r.events.front(), "LostFocus InputDP");
    EXPECT_EQ(view.Focused(), ctl::InputPA);

    r.events.clear();
    view.SetFocus(ctl::InputHA);  // the program's move runs both handlers at once
    EXPECT_EQ(r.events, (Events{"LostFocus InputPA", "GotFocus InputHA"}));
    Settle(20);
    EXPECT_EQ(r.events.size(), 2u);
    EXPECT_TRUE(Get(view, ctl::InputHA)->hasFocus());
}

TEST_F(QtViewTest, ControlsReachedByTheProgramsMovesShowTheFocusMark) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetTabOrder({ctl::External, ctl::Internal});
    view.SetFocus(ctl::External);
    view.FocusNext(false);
    EXPECT_EQ(view.Focused(), ctl::Internal);
    QStyleOptionButton option;
    option.initFrom(Get(view, ctl::Internal));
    EXPECT_TRUE(option.state & QStyle::State_HasFocus);
    EXPECT_TRUE(option.state & QStyle::State_KeyboardFocusChange);
    view.FocusNext(true);
    EXPECT_EQ(view.Focused(), ctl::External);
}

// Message boxes and input boxes answer what was pressed or typed; they take
// neither the focus nor the activation from the window they stand on.
TEST_F(QtViewTest, DialogsReturnTheAnswerAndLeaveTheFocusAndTheActivation) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    ClickInto(view, ctl::InputNT, r);
    DialogHand hand;
    hand.Press(QMessageBox::Cancel);
    hand.Type("0.25");
    EXPECT_EQ(view.MessageBox("a\rb", "Involvo", MsgIcon::Exclamation, MsgButtons::OKCancel), MsgAnswer::Cancel);
    EXPECT_EQ(view.MessageBox("c", "Involvo", MsgIcon::Information, MsgButtons::OKCancel), MsgAnswer::OK);
    EXPECT_EQ(view.MessageBox("d", "Involvo", MsgIcon::Critical, MsgButtons::OK), MsgAnswer::OK);
    EXPECT_EQ(view.InputBox("Enter Hob or Shaper cutter whole depth.", "Input cutter depth", "0.2"), "0.25");
    EXPECT_EQ(view.InputBox("Again", "Input cutter depth", "0.2"), "");  // no answer left: Cancel
    ASSERT_EQ(hand.Seen().size(), 5u);
    const QMessageBox::Icon icons[] = {QMessageBox::Warning, QMessageBox::Information, QMessageBox::Critical};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(hand.Seen()[i].window, "FrmMain") << i;
        EXPECT_EQ(hand.Seen()[i].hasCancel, i != 2) << i;
        if (i < 3) {
            EXPECT_EQ(hand.Seen()[i].icon, icons[i]) << i;
        }
    }
    EXPECT_EQ(hand.Seen()[0].text, "a\nb");
    EXPECT_EQ(hand.Seen()[0].title, "Involvo");
    EXPECT_EQ(hand.Seen()[3].title, "Input cutter depth");
    EXPECT_EQ(hand.Seen()[3].text, "Enter Hob or Shaper cutter whole depth.");
    EXPECT_EQ(hand.Seen()[3].offered, "0.2");
    Settle(200);
    EXPECT_EQ(r.events, Events{});
    EXPECT_TRUE(view.window()->isActiveWindow());
    EXPECT_TRUE(Get(view, ctl::InputNT)->hasFocus());
}

TEST_F(QtViewTest, TheUserSwitchingBetweenWindowsActivatesAndDeactivates) {
    Recorder page;
    QtView& main = ShowActive(FormId::FrmMain, r);
    ShowActive(FormId::FrmOutput1, page);
    r.events.clear();
    page.events.clear();
    main.window()->activateWindow();  // the user clicks on the input screen
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.window()));
    Settle(20);
    EXPECT_EQ(r.events, Events{"Activate"}) << "the focus coming back is no move between controls";
    EXPECT_EQ(page.events, Events{"Deactivate"});
}

TEST_F(QtViewTest, ClosingWithTheTitleBarAsksTheProgram) {
    QtView& view = ShowActive(FormId::FrmOutput1, r);
    EXPECT_FALSE(view.window()->close());
    EXPECT_TRUE(view.IsShown());
    EXPECT_EQ(forms.unloaded, std::vector<FormId>{FormId::FrmOutput1});
}

TEST_F(QtViewTest, OptionButtonsReportOnlyTheUsersSelection) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetChecked(ctl::External, true);
    view.SetChecked(ctl::Internal, false);
    EXPECT_TRUE(r.Only("Click").empty());
    // The presenter owns the selection: a click is reported, the marks stay.
    QTest::mouseClick(Get(view, ctl::Internal), Qt::LeftButton);
    EXPECT_EQ(r.Only("Click"), Events{"Click Internal"});
    EXPECT_TRUE(view.Checked(ctl::External));
    EXPECT_FALSE(view.Checked(ctl::Internal));
    r.events.clear();  // a click on the option already selected is no selection
    QTest::mouseClick(Get(view, ctl::External), Qt::LeftButton);
    EXPECT_TRUE(r.Only("Click").empty());
    // Enter on an option moves on once, as a key the form sees.
    view.SetFocus(ctl::External);
    r.events.clear();
    QTest::keyClick(Get(view, ctl::External), Qt::Key_Return);
    EXPECT_EQ(r.events, Events{"KeyDown 13"});
}

TEST_F(QtViewTest, CheckBoxesReportTheUsersTickAfterItChangedTheBox) {
    QtView& view = ShowActive(FormId::FrmChecklist1, r);
    view.SetChecked(ctl::Check(2), true);
    EXPECT_TRUE(view.Checked(ctl::Check(2)));
    EXPECT_TRUE(r.Only("Click").empty());
    auto* box = Get<QCheckBox>(view, ctl::Check(2));
    QStyleOptionButton option;
    option.initFrom(box);
    QRect square = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, square.center());
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(r.Only("Click"), (Events{"Click Check(2)", "Click Check(2) checked"}));
    // Two columns of nine: the second box stands below the first, the tenth beside it.
    EXPECT_EQ(Get(view, ctl::Check(2))->geometry().left(), Get(view, ctl::Check(1))->geometry().left());
    EXPECT_EQ(Get(view, ctl::Check(10))->geometry().top(), Get(view, ctl::Check(1))->geometry().top());
    EXPECT_GT(Get(view, ctl::Check(10))->geometry().left(), Get(view, ctl::Check(1))->geometry().right());
}

TEST_F(QtViewTest, MenuItemsReportClicksAndTheFileMenuItsOpening) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetChecked(ctl::MnuDepth(1), true);
    Get<QAction>(view, ctl::MnuDepth(9))->trigger();
    EXPECT_EQ(r.Only("Click"), Events{"Click MnuDepth(9)"});
    EXPECT_TRUE(view.Checked(ctl::MnuDepth(1)));
    EXPECT_FALSE(view.Checked(ctl::MnuDepth(9)));
    r.events.clear();
    auto* file = Get<QMenu>(view, ctl::mnuFile);
    file->popup(view.window()->mapToGlobal(QPoint(0, 0)));
    Settle(20);
    file->hide();
    EXPECT_EQ(r.Only("Click"), Events{"Click mnuFile"});
}

TEST_F(QtViewTest, ListsKeepTheirTextWhenTheItemsChange) {
    QtView& view = Open(FormId::FrmMain, r);
    view.SetItems(ctl::Combo1, {"Circular Tooth Thickness", "Chordal Tooth Thickness"});
    view.SetText(ctl::Combo1, "Chordal Tooth Thickness");
    view.SetItems(ctl::Combo1, {"Circular Space Width", "Chordal Tooth Thickness", "Contributing Backlash"});
    EXPECT_EQ(view.Text(ctl::Combo1), "Chordal Tooth Thickness");
    EXPECT_EQ(view.Items(ctl::Combo1),
              (std::vector<std::string>{"Circular Space Width", "Chordal Tooth Thickness", "Contributing Backlash"}));
    view.SetText(ctl::Combo1, "Span Measurement");  // a text outside the list is still the list's text
    EXPECT_EQ(view.Text(ctl::Combo1), "Span Measurement");
    EXPECT_EQ(Get<QLabel>(view, ctl::LabelCTT_MOW)->text(), "Span Measurement") << "the value's caption follows";
    view.SetText(ctl::ComboQuality, "7");
    EXPECT_EQ(view.Text(ctl::ComboQuality), "7");
}

TEST_F(QtViewTest, TheFormSeesNavigationKeysFirst) {
    r.swallow = {kKeyDown};
    QtView& view = ShowActive(FormId::FrmMain, r);
    auto* list = Get<QComboBox>(view, ctl::ComboQuality);
    view.SetItems(ctl::ComboQuality, {"None", "3", "4"});
    view.SetText(ctl::ComboQuality, "None");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(r.Only("KeyDown"), Events{"KeyDown 40"});
    EXPECT_EQ(list->currentText(), "None");  // swallowed: the list did not move
    QTest::keyClick(Get(view, ctl::InputNT), Qt::Key_Up);
    QTest::keyClick(Get(view, ctl::InputNT), Qt::Key_Return);
    EXPECT_EQ(r.Only("KeyDown"), (Events{"KeyDown 40", "KeyDown 38", "KeyDown 13"}));
}

TEST_F(QtViewTest, EnterPressesTheButtonItWasTypedOn) {
    QtView& view = ShowActive(FormId::FrmOutput1, r);
    view.SetFocus(ctl::Next1);
    r.events.clear();
    QTest::keyClick(Get(view, ctl::Next1), Qt::Key_Return);
    EXPECT_EQ(r.events, (Events{"KeyDown 13", "Click Next1"}));
}

TEST_F(QtViewTest, TheMouseOnTextBoxesHintsAndTheBackgroundIsReported) {
    QtView& view = ShowActive(FormId::FrmMain, r);
    view.SetText(ctl::LabelStandard, "-> Standard = 0.1728");
    QTest::mouseClick(Get(view, ctl::InputCTT_MOW), Qt::LeftButton);
    QTest::mouseClick(Get(view, ctl::LabelStandard), Qt::LeftButton);
    EXPECT_EQ(r.Only("Click"), (Events{"Click InputCTT_MOW", "Click LabelStandard"}));
    QTest::mouseMove(Get(view, ctl::Internal));
    QWidget* background = view.window()->centralWidget();
    QTest::mouseMove(background, QPoint(2, background->height() - 2));
    Settle();
    EXPECT_EQ(r.Only("MouseMove").front(), "MouseMove Internal");
    EXPECT_EQ(r.Only("MouseMove").back(), "MouseMove ");
}

TEST_F(QtViewTest, AModalFormKeepsItsCallerWaitingUntilHidden) {
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

}  // namespace
}  // namespace involvo::testing
