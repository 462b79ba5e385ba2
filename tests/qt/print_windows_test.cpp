// The printout-options dialog and the "Printing ..." notice on real Qt windows:
// the dialog's controls, the user's ticks reaching the program, OK, Cancel,
// closing and leaving the dialog; the notice coming and going without taking
// the activation, also in the middle of a print from page 1.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QMenu>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "printing/printer_port.h"
#include "printing/printout_options.h"
#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

namespace fs = std::filesystem;

// A working directory of the test's own, so that the options file of the test
// is nobody else's; the old one is back afterwards.
class TemporaryWorkingDirectory {
public:
    TemporaryWorkingDirectory() : old_(fs::current_path()) {
        dir_ = fs::temp_directory_path() / ("involvo-print-windows-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    ~TemporaryWorkingDirectory() {
        std::error_code ec;
        fs::current_path(old_, ec);
        fs::remove_all(dir_, ec);
    }
    const fs::path& path() const { return dir_; }

private:
    fs::path old_, dir_;
};

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Eighteen lines, CR LF after each; "1" on the lines given, "0" elsewhere.
std::string OptionsFile(std::initializer_list<int> ticked, char tick = '1') {
    std::string text;
    for (int i = 1; i <= kOptionCount; ++i) {
        bool on = std::find(ticked.begin(), ticked.end(), i) != ticked.end();
        text += on ? tick : '0';
        text += "\r\n";
    }
    return text;
}

// A click on the square of a check box, where a user clicks.
void ClickTheTick(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    QRect square = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, square.center());
}

// Whether the windowing system leaves the activation where it is when a window
// asks to be shown without it. The offscreen platform of the tests gives the
// activation to every window shown; there the notice can only hand it back
// when it goes.
bool HonoursShowWithoutActivating() { return QGuiApplication::platformName() != QLatin1String("offscreen"); }

// A printer that keeps the printed lines instead of printing them.
class PaperPrinter : public PrinterPort {
public:
    bool UseDefaultPrinter() override { return true; }
    bool ShowPrintDialog() override { return true; }
    int Copies() const override { return copies_; }
    void SetCopies(int copies) override { copies_ = copies; }
    bool StartDoc() override {
        ++started;
        return true;
    }
    void SetFontSize(double) override {}
    void SetBold(bool) override {}
    void SetUnderline(bool) override {}
    void PrintAt(int, const std::string& text) override { line_ += text; }
    void EndLine() override {
        lines.push_back(line_);
        line_.clear();
    }
    double TextWidth(const std::string& text) const override { return static_cast<double>(text.size()); }
    bool EndDoc() override {
        ++ended;
        return true;
    }

    int started = 0, ended = 0;
    std::vector<std::string> lines;

private:
    int copies_ = 1;
    std::string line_;
};

class PrintingPlatform : public QtPlatform {
public:
    PrinterPort* Printer() override { return &printer; }
    PaperPrinter printer;
};

// The whole program on the Qt platform with a paper printer, started in a
// working directory of its own (with an options file given before the start).
class PrintWindows : public ::testing::Test {
protected:
    PrintWindows() : app_(gear_, platform_) { platform_.SetForms(&app_); }
    ~PrintWindows() override { QTest::qWait(50); }

    void Start() {
        app_.StartUpWithoutSplash();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window(FormId::FrmMain)));
        QTest::qWait(50);
    }

    QMainWindow* Window(FormId id) {
        QtView* view = platform_.ViewOf(id);
        return view ? view->window() : nullptr;
    }
    template <class T = QWidget>
    T* Widget(FormId id, Control control) {
        QtView* view = platform_.ViewOf(id);
        return view ? qobject_cast<T*>(view->ObjectOf(control)) : nullptr;
    }
    QCheckBox* Box(int i) { return Widget<QCheckBox>(FormId::FrmChecklist1, ctl::Check(i)); }
    bool OnScreen(FormId id) { return app_.IsLoaded(id) && Window(id) && Window(id)->isVisible(); }
    bool Active(FormId id) { return OnScreen(id) && Window(id)->isActiveWindow(); }

    template <class F>
    static bool WaitFor(F condition, int ms = 5000) {
        bool met = QTest::qWaitFor(condition, ms);
        QTest::qWait(200);
        return met && condition();
    }

    // Options > Printout Options on the input screen.
    void OpenOptions() {
        auto* item = Widget<QAction>(FormId::FrmMain, ctl::MnuCheckbox1);
        ASSERT_NE(item, nullptr);
        item->trigger();
        ASSERT_TRUE(WaitFor([&] { return Active(FormId::FrmChecklist1); }));
    }
    void Press(FormId id, Control button) {
        auto* b = Widget<QAbstractButton>(id, button);
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void TickByHand(int i) {
        ASSERT_NE(Box(i), nullptr);
        ClickTheTick(Box(i));
    }
    std::vector<int> TickedBoxes() {
        std::vector<int> ticked;
        for (int i = 1; i <= kOptionCount; ++i)
            if (Box(i) && Box(i)->isChecked()) ticked.push_back(i);
        return ticked;
    }

    void Enter(Control field, const QString& keys) {
        auto* edit = Widget<QLineEdit>(FormId::FrmMain, field);
        ASSERT_NE(edit, nullptr) << field;
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    QApplication& qapp_ = TheApp();
    TemporaryWorkingDirectory cwd_;
    gearmain::GearMain gear_;
    PrintingPlatform platform_;
    Application app_;
};

TEST_F(PrintWindows, TheOptionsDialogHasEveryNamedControlWithItsCaption) {
    Start();
    OpenOptions();
    QMainWindow* dialog = Window(FormId::FrmChecklist1);
    EXPECT_EQ(dialog->windowTitle(), "Involvo -  Printout Options");
    auto* frame = Widget<QGroupBox>(FormId::FrmChecklist1, ctl::Frame1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), "Check the items to include on the printed form");
    for (int i = 1; i <= kOptionCount; ++i) {
        QCheckBox* box = Box(i);
        ASSERT_NE(box, nullptr) << i;
        EXPECT_TRUE(frame->isAncestorOf(box)) << i;
        EXPECT_EQ(box->text().toStdString(), OptionCaption(i));
        EXPECT_TRUE(box->isVisible()) << i;
    }
    EXPECT_EQ(Box(3)->text(), "Root Diameter (Basic)");
    EXPECT_EQ(Box(18)->text(), "Part Number or Title");
    // Two columns: the tenth box stands beside the first.
    EXPECT_EQ(Box(10)->geometry().top(), Box(1)->geometry().top());
    EXPECT_GT(Box(10)->geometry().left(), Box(1)->geometry().right());

    auto* all = Widget<QCheckBox>(FormId::FrmChecklist1, ctl::Checkall);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->text(), "Check All");
    EXPECT_FALSE(frame->isAncestorOf(all));
    EXPECT_EQ(Widget<QPushButton>(FormId::FrmChecklist1, ctl::CmdCustom1OK)->text(), "OK");
    EXPECT_EQ(Widget<QPushButton>(FormId::FrmChecklist1, ctl::CmdCustom1Cancel)->text(), "Cancel");
}

TEST_F(PrintWindows, ATickByHandThenOkWritesItToTheFile) {
    Start();
    ASSERT_EQ(FileText(cwd_.path() / kOptionsFileName), OptionsFile({}));
    OpenOptions();
    EXPECT_TRUE(TickedBoxes().empty());
    TickByHand(3);
    EXPECT_EQ(TickedBoxes(), std::vector<int>{3});
    Press(FormId::FrmChecklist1, ctl::CmdCustom1OK);
    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmChecklist1); }));

    EXPECT_EQ(FileText(cwd_.path() / kOptionsFileName), OptionsFile({3}));
    EXPECT_EQ(gear_.PrintoutChoices[3], 1);
    EXPECT_EQ(gear_.PrintoutChoices[4], 0);

    // Opened again, the dialog shows what was kept.
    OpenOptions();
    EXPECT_EQ(TickedBoxes(), std::vector<int>{3});
}

TEST_F(PrintWindows, AGreyedOptionClickedByHandIsStoredAsTicked) {
    // A file may hold a greyed box (2); it stays 2 unless the user clicks it,
    // which the dialog learns only from the click itself.
    {
        std::ofstream out(cwd_.path() / kOptionsFileName, std::ios::binary);
        out << OptionsFile({3, 4}, '2');
    }
    Start();
    OpenOptions();
    EXPECT_EQ(TickedBoxes(), (std::vector<int>{3, 4}));
    TickByHand(3);
    TickByHand(3);
    EXPECT_EQ(TickedBoxes(), (std::vector<int>{3, 4}));
    Press(FormId::FrmChecklist1, ctl::CmdCustom1OK);
    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmChecklist1); }));
    std::string expected = OptionsFile({3});
    expected[3 * 3] = '2';  // line 4: "2"
    EXPECT_EQ(FileText(cwd_.path() / kOptionsFileName), expected);
}

TEST_F(PrintWindows, CheckAllTicksEveryBox) {
    Start();
    OpenOptions();
    Press(FormId::FrmChecklist1, ctl::Checkall);
    EXPECT_EQ(TickedBoxes().size(), static_cast<size_t>(kOptionCount));
    EXPECT_TRUE(Widget<QCheckBox>(FormId::FrmChecklist1, ctl::Checkall)->isChecked());
    // Clicking it again clears nothing, itself included.
    Press(FormId::FrmChecklist1, ctl::Checkall);
    EXPECT_TRUE(Widget<QCheckBox>(FormId::FrmChecklist1, ctl::Checkall)->isChecked());
    Press(FormId::FrmChecklist1, ctl::CmdCustom1OK);
    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmChecklist1); }));
    std::string all;
    for (int i = 1; i <= kOptionCount; ++i) all += "1\r\n";
    EXPECT_EQ(FileText(cwd_.path() / kOptionsFileName), all);
}

// Cancel, Escape, the title-bar button and another window of the program
// taking the activation all close the dialog and forget its ticks.
enum class Leave { Cancel, Escape, TitleBar, InputScreen };

class LeavingTheOptions : public PrintWindows, public ::testing::WithParamInterface<Leave> {};

TEST_P(LeavingTheOptions, DiscardsTheTicks) {
    Start();
    const std::string before = FileText(cwd_.path() / kOptionsFileName);
    OpenOptions();
    TickByHand(5);
    Press(FormId::FrmChecklist1, ctl::Checkall);
    switch (GetParam()) {
        case Leave::Cancel: Press(FormId::FrmChecklist1, ctl::CmdCustom1Cancel); break;
        case Leave::Escape: QTest::keyClick(Box(5), Qt::Key_Escape); break;
        case Leave::TitleBar: EXPECT_FALSE(Window(FormId::FrmChecklist1)->close()); break;
        case Leave::InputScreen: Window(FormId::FrmMain)->activateWindow(); break;
    }
    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmChecklist1); }));
    EXPECT_EQ(FileText(cwd_.path() / kOptionsFileName), before);
    for (int i = 1; i <= kOptionCount; ++i) EXPECT_EQ(gear_.PrintoutChoices[i], 0) << i;
    EXPECT_FALSE(app_.Ended());
    OpenOptions();
    EXPECT_TRUE(TickedBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, LeavingTheOptions,
                         ::testing::Values(Leave::Cancel, Leave::Escape, Leave::TitleBar, Leave::InputScreen));

TEST_F(PrintWindows, AFileThatCannotBeWrittenIsToldOnTheDialogAndTheTicksStay) {
    Start();
    app_.SetPrintoutOptionsFile(cwd_.path() / "no such folder" / kOptionsFileName);
    DialogHand hand;
    OpenOptions();
    TickByHand(7);
    Press(FormId::FrmChecklist1, ctl::CmdCustom1OK);
    EXPECT_TRUE(WaitFor([&] { return hand.Seen().size() == 1 && !app_.IsLoaded(FormId::FrmChecklist1); }));
    ASSERT_EQ(hand.Seen().size(), 1u);
    EXPECT_EQ(hand.Seen()[0].window, "FrmChecklist1");
    EXPECT_EQ(hand.Seen()[0].title, "Involvo");
    EXPECT_EQ(gear_.PrintoutChoices[7], 1);
}

TEST_F(PrintWindows, TheNoticeComesWithoutTheActivationAndGoesAfterASecond) {
    Start();
    QElapsedTimer clock;
    clock.start();
    app_.Show(FormId::FrmPrinting);
    QMainWindow* notice = Window(FormId::FrmPrinting);
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->windowTitle(), "Printing");
    auto* text = Widget<QLabel>(FormId::FrmPrinting, ctl::Label1);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "Printing ...");
    EXPECT_EQ(text->font().families().value(0), "MS Sans Serif");
    EXPECT_EQ(text->font().pointSize(), 12);
    EXPECT_TRUE(text->font().bold());
    EXPECT_TRUE(notice->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(notice->windowFlags() & Qt::WindowDoesNotAcceptFocus);

    QTest::qWait(300);
    EXPECT_TRUE(OnScreen(FormId::FrmPrinting));
    if (HonoursShowWithoutActivating()) {
        EXPECT_FALSE(notice->isActiveWindow());
        EXPECT_TRUE(Active(FormId::FrmMain));
    }

    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmPrinting); }));
    qint64 shown = clock.elapsed() - 200;  // WaitFor waits a little beyond
    EXPECT_GE(shown, 950);
    EXPECT_LE(shown, 2500);
    EXPECT_TRUE(Active(FormId::FrmMain));
}

TEST_F(PrintWindows, PrintingFromPageOneKeepsTheResultPagesAndThePartNumber) {
    {
        std::ofstream out(cwd_.path() / kOptionsFileName, std::ios::binary);
        out << OptionsFile({kOptPartNumber});
    }
    Start();
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    Press(FormId::FrmMain, ctl::CmdCalc);
    ASSERT_TRUE(WaitFor([&] { return Active(FormId::FrmOutput1); }));

    DialogHand hand;
    hand.Type("GEAR-24");
    Press(FormId::FrmOutput1, ctl::CmdPrint);
    ASSERT_TRUE(WaitFor([&] { return platform_.printer.ended == 1; }));
    ASSERT_EQ(hand.Seen().size(), 1u);
    EXPECT_EQ(hand.Seen()[0].title, "Part number?");
    EXPECT_EQ(hand.Seen()[0].window, "FrmOutput1");
    EXPECT_EQ(gear_.PartNumber, "GEAR-24");
    EXPECT_EQ(platform_.printer.started, 1);
    const auto& lines = platform_.printer.lines;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Part Number / Title - GEAR-24"), lines.end());

    // The notice is up beside the page, which stays the active window.
    EXPECT_TRUE(OnScreen(FormId::FrmPrinting));
    if (HonoursShowWithoutActivating()) {
        EXPECT_FALSE(Window(FormId::FrmPrinting)->isActiveWindow());
        EXPECT_TRUE(Active(FormId::FrmOutput1));
    }

    EXPECT_TRUE(WaitFor([&] { return !app_.IsLoaded(FormId::FrmPrinting); }));
    QTest::qWait(300);
    EXPECT_TRUE(Active(FormId::FrmOutput1));
    EXPECT_TRUE(app_.IsLoaded(FormId::FrmOutput2));
    EXPECT_TRUE(app_.IsLoaded(FormId::AGMATOL));
    EXPECT_EQ(gear_.PartNumber, "GEAR-24");  // the input screen did not become active
}

TEST_F(PrintWindows, PageTwoAndTheTolerancesCaptionTheirPrintButton) {
    Start();
    for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                      FormId::AGMATOL}) {
        app_.Load(id);
        auto* button = Widget<QPushButton>(id, ctl::CmdPrint);
        ASSERT_NE(button, nullptr) << FormName(id);
        bool pageOne = id == FormId::FrmOutput1 || id == FormId::FrmHelical1;
        EXPECT_EQ(button->text(), pageOne ? "" : "Print Gear Data") << FormName(id);
        EXPECT_EQ(button->toolTip(), "Print Gear Data") << FormName(id);
        EXPECT_FALSE(button->icon().isNull()) << FormName(id);
    }
}

// The order in which a user's tick reaches the program, on a bare window.
class TickRecorder : public Presenter {
public:
    void Click(Control control) override {
        clicks.push_back(NameOf(control) + (view().Checked(control) ? " ticked" : " cleared"));
    }
    void Deactivate() override { ++deactivations; }
    std::vector<std::string> clicks;
    int deactivations = 0;
};

TEST(PrintoutOptionsWindow, AUsersTickArrivesAfterTheBoxChangedAndTheProgramsOwnSendsNothing) {
    TheApp();
    QtPlatform platform;
    TickRecorder recorder;
    std::unique_ptr<View> view = platform.CreateView(FormId::FrmChecklist1, recorder);
    recorder.Attach(*view);
    auto& qtView = static_cast<QtView&>(*view);
    view->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(qtView.window()));

    view->SetChecked(ctl::Check(2), true);
    EXPECT_TRUE(view->Checked(ctl::Check(2)));
    EXPECT_TRUE(recorder.clicks.empty());

    auto* box = qobject_cast<QCheckBox*>(qtView.ObjectOf(ctl::Check(2)));
    ASSERT_NE(box, nullptr);
    ClickTheTick(box);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(recorder.clicks, (std::vector<std::string>{"Check(2) cleared", "Check(2) ticked"}));

    // Its own message box takes the activation, which is no deactivation.
    DialogHand hand;
    view->MessageBox("The printout options could not be saved.", "Involvo", MsgIcon::Exclamation,
                     MsgButtons::OK);
    QTest::qWait(100);
    EXPECT_EQ(hand.Seen().size(), 1u);
    EXPECT_EQ(recorder.deactivations, 0);
}

}  // namespace
}  // namespace involvo::testing
