// The input screen on real Qt widgets: its controls, the key filter on typing
// and pasting, the hints after leaving a field, and a calculation through a
// pin-contact warning.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

enum class Kind { Label, Entry, List, TypedList, Button, Option, Frame, Menu, Item, CheckItem, Separator };

struct NamedControl {
    Control name;
    Kind kind;
};

const NamedControl kInputScreenControls[] = {
    {ctl::mnuFile, Kind::Menu},           {ctl::MnuExit, Kind::Item},
    {ctl::mnuOptions, Kind::Menu},        {ctl::MnuMow, Kind::CheckItem},
    {ctl::MnuCTT, Kind::CheckItem},       {ctl::MnuSpan, Kind::CheckItem},
    {ctl::MnuDepthSystem, Kind::Menu},    {ctl::MnuDepth(1), Kind::CheckItem},
    {ctl::MnuDepth(5), Kind::CheckItem},  {ctl::MnuDepth(9), Kind::CheckItem},
    {ctl::MnuCheckbox1, Kind::Item},      {ctl::mnuHelp, Kind::Menu},
    {ctl::mnuHelpContents, Kind::Item},   {ctl::mnuHelpBar1, Kind::Separator},
    {ctl::mnuHelpAbout, Kind::Item},      {ctl::Labelnumteeth, Kind::Label},
    {ctl::LabelPitch, Kind::Label},       {ctl::LabelPA, Kind::Label},
    {ctl::LABELHA, Kind::Label},          {ctl::LblAddendumMod, Kind::Label},
    {ctl::LABELPINDIA, Kind::Label},      {ctl::LabelFaceWidth, Kind::Label},
    {ctl::LabelQuality, Kind::Label},     {ctl::LabelCTT_MOW, Kind::Label},
    {ctl::InputNT, Kind::Entry},          {ctl::InputDP, Kind::Entry},
    {ctl::InputPA, Kind::Entry},          {ctl::InputHA, Kind::Entry},
    {ctl::InputCTT_MOW, Kind::Entry},     {ctl::InputAddendumMod, Kind::Entry},
    {ctl::InputPINDIA, Kind::Entry},      {ctl::InputFaceWidth, Kind::Entry},
    {ctl::Combo1, Kind::List},            {ctl::ComboQuality, Kind::TypedList},
    {ctl::LabelBasic, Kind::Label},       {ctl::LabelBasic2, Kind::Label},
    {ctl::LabelStandardOD, Kind::Label},  {ctl::LabelStandard, Kind::Label},
    {ctl::LabelBestPin, Kind::Label},     {ctl::Frame1, Kind::Frame},
    {ctl::External, Kind::Option},        {ctl::Internal, Kind::Option},
    {ctl::CmdCalc, Kind::Button},         {ctl::cmdExit, Kind::Button},
    {ctl::Title, Kind::Label},
};

::testing::AssertionResult HasKind(QObject* object, Kind kind) {
    if (!object) return ::testing::AssertionFailure() << "missing";
    bool ok = false;
    switch (kind) {
        case Kind::Label: ok = qobject_cast<QLabel*>(object); break;
        case Kind::Entry: {
            auto* edit = qobject_cast<QLineEdit*>(object);
            ok = edit && !edit->isReadOnly();
            break;
        }
        case Kind::List: {
            auto* combo = qobject_cast<QComboBox*>(object);
            ok = combo && !combo->isEditable();
            break;
        }
        case Kind::TypedList: {
            auto* combo = qobject_cast<QComboBox*>(object);
            ok = combo && combo->isEditable();
            break;
        }
        case Kind::Button: ok = qobject_cast<QPushButton*>(object); break;
        case Kind::Option: ok = qobject_cast<QRadioButton*>(object); break;
        case Kind::Frame: ok = qobject_cast<QGroupBox*>(object); break;
        case Kind::Menu: ok = qobject_cast<QMenu*>(object); break;
        case Kind::Item: {
            auto* action = qobject_cast<QAction*>(object);
            ok = action && !action->isSeparator() && !action->isCheckable();
            break;
        }
        case Kind::CheckItem: {
            auto* action = qobject_cast<QAction*>(object);
            ok = action && action->isCheckable();
            break;
        }
        case Kind::Separator: {
            auto* action = qobject_cast<QAction*>(object);
            ok = action && action->isSeparator();
            break;
        }
    }
    if (ok) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "is a " << object->metaObject()->className();
}

using InputWindow = QtProgram;

TEST_F(InputWindow, BuildsEveryNamedControlWithItsKind) {
    for (const NamedControl& c : kInputScreenControls)
        EXPECT_TRUE(HasKind(View(FormId::FrmMain)->ObjectOf(c.name), c.kind)) << c.name;
    // The whole depth-system array, in menu order.
    auto* depth = Main<QMenu>(ctl::MnuDepthSystem);
    ASSERT_NE(depth, nullptr);
    ASSERT_EQ(depth->actions().size(), 9);
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(depth->actions()[i - 1]->objectName().toStdString(), NameOf(ctl::MnuDepth(i)));
}

TEST_F(InputWindow, ShowsTheCaptionsThePresenterSet) {
    EXPECT_EQ(Window(FormId::FrmMain)->windowTitle(), "Involvo -  (Calculate Dimension Over Pins)");
    EXPECT_EQ(Main<QLabel>(ctl::Labelnumteeth)->text(), "Number of Teeth  ");
    EXPECT_EQ(Main<QMenu>(ctl::mnuFile)->title(), "&File");
    EXPECT_TRUE(Main<QAction>(ctl::MnuMow)->isChecked());
    EXPECT_TRUE(Main<QRadioButton>(ctl::External)->isChecked());
    // The value field is captioned by the feature chosen in the list.
    EXPECT_EQ(Main<QLabel>(ctl::LabelCTT_MOW)->text(), Main<QComboBox>(ctl::Combo1)->currentText());
    EXPECT_EQ(Main<QLabel>(ctl::LabelCTT_MOW)->text(), "Circular Tooth Thickness");
}

TEST_F(InputWindow, TypedKeysGoThroughTheKeyFilter) {
    auto* teeth = Main<QLineEdit>(ctl::InputNT);
    QTest::mouseClick(teeth, Qt::LeftButton);
    QTest::keyClicks(teeth, "12a");
    EXPECT_EQ(teeth->text(), "12");
    QTest::keyClicks(teeth, ".");
    EXPECT_EQ(teeth->text(), "12");
    QTest::keyClick(teeth, Qt::Key_Backspace);
    EXPECT_EQ(teeth->text(), "1");
}

TEST_F(InputWindow, PastedTextIsFilteredCharacterByCharacter) {
    auto* teeth = Main<QLineEdit>(ctl::InputNT);
    QTest::mouseClick(teeth, Qt::LeftButton);
    QGuiApplication::clipboard()->setText("1a2");
    QTest::keySequence(teeth, QKeySequence::Paste);
    EXPECT_EQ(teeth->text(), "12");
}

TEST_F(InputWindow, TheQualityListTakesDigitsOnly) {
    auto* quality = Main<QComboBox>(ctl::ComboQuality);
    QTest::mouseClick(quality->lineEdit(), Qt::LeftButton);
    quality->lineEdit()->selectAll();
    QTest::keyClicks(quality, "7a");
    EXPECT_EQ(quality->currentText(), "7");
    QTest::keyClick(quality, Qt::Key_Tab);
    EXPECT_EQ(gear_.QualityNumber, 7);
}

TEST_F(InputWindow, EnterMovesOnToTheNextField) {
    auto* teeth = Main<QLineEdit>(ctl::InputNT);
    QTest::mouseClick(teeth, Qt::LeftButton);
    QTest::keyClicks(teeth, "24");
    QTest::keyClick(teeth, Qt::Key_Return);
    EXPECT_EQ(View(FormId::FrmMain)->Focused(), ctl::InputDP);
    EXPECT_TRUE(Main<QLineEdit>(ctl::InputDP)->hasFocus());
    EXPECT_EQ(gear_.NumTeeth, 24.0f);
}

TEST_F(InputWindow, AClickIntoAFilledFieldSelectsItsWholeTextSoTypingReplacesIt) {
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    // The pitch last: a new pitch empties the feature and pin fields.
    for (Control field : {ctl::InputNT, ctl::InputPA, ctl::InputHA, ctl::InputCTT_MOW, ctl::InputAddendumMod, ctl::InputPINDIA,
                              ctl::InputFaceWidth, ctl::ComboQuality, ctl::InputDP}) {
        View(FormId::FrmMain)->SetFocus(ctl::CmdCalc);
        QWidget* widget = Main(field);
        ASSERT_NE(widget, nullptr) << field;
        QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
        if (auto* list = qobject_cast<QComboBox*>(widget)) edit = list->lineEdit();
        ASSERT_NE(edit, nullptr) << field;
        ASSERT_FALSE(edit->text().isEmpty()) << field;
        // A click a little way into the text, where the caret would go.
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() / 4, edit->height() / 2));
        EXPECT_EQ(View(FormId::FrmMain)->Focused(), field);
        EXPECT_EQ(edit->selectedText(), edit->text()) << field;
        QTest::keyClicks(edit, "7");
        EXPECT_EQ(edit->text(), "7") << field;
    }
}

TEST_F(InputWindow, AClickIntoTheFieldThatHasTheFocusPlacesTheCaret) {
    Enter(ctl::InputNT, "24");
    auto* teeth = Main<QLineEdit>(ctl::InputNT);
    QTest::mouseClick(teeth, Qt::LeftButton);
    ASSERT_EQ(teeth->selectedText(), "24");
    QTest::mouseClick(teeth, Qt::LeftButton, {}, QPoint(teeth->width() - 4, teeth->height() / 2));
    EXPECT_FALSE(teeth->hasSelectedText());
    QTest::keyClicks(teeth, "0");
    EXPECT_EQ(teeth->text(), "240");
}

TEST_F(InputWindow, TheFeatureListTakesNoTypedKeys) {
    auto* features = Main<QComboBox>(ctl::Combo1);
    QString before = features->currentText();
    QTest::mouseClick(Main<QLineEdit>(ctl::InputNT), Qt::LeftButton);
    features->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(features, "Co");
    EXPECT_EQ(features->currentText(), before);
}

TEST_F(InputWindow, LeavingAFieldWithTabUpdatesTheHints) {
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    // 24 teeth of pitch 10: pitch circle 2.4, O.D. 2.4 + 2/10.
    EXPECT_EQ(Main<QLabel>(ctl::LabelStandardOD)->text(), "-> Standard O.D. = 2.6");
    EXPECT_EQ(View(FormId::FrmMain)->Focused(), ctl::InputPA);
}

TEST_F(InputWindow, UpAndDownMoveAlongTheFieldsAndAreSwallowed) {
    auto* teeth = Main<QLineEdit>(ctl::InputNT);
    QTest::mouseClick(teeth, Qt::LeftButton);
    QTest::keyClick(teeth, Qt::Key_Down);
    EXPECT_EQ(View(FormId::FrmMain)->Focused(), ctl::InputDP);
    EXPECT_TRUE(Main<QLineEdit>(ctl::InputDP)->hasFocus());
    QTest::keyClick(Main<QLineEdit>(ctl::InputDP), Qt::Key_Up);
    EXPECT_EQ(View(FormId::FrmMain)->Focused(), ctl::InputNT);
}

TEST_F(InputWindow, EnterOnAnOptionButtonMovesOnOnce) {
    auto* external = Main<QRadioButton>(ctl::External);
    View(FormId::FrmMain)->SetFocus(ctl::External);
    QTest::keyClick(external, Qt::Key_Return);
    EXPECT_EQ(View(FormId::FrmMain)->Focused(), ctl::Internal);
}

// Whether the style draws the focus mark on a control: it has the focus, and
// the focus came by the keyboard.
bool ShowsFocusMark(QWidget* w) {
    QStyleOption option;
    option.initFrom(w);
    return (option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_KeyboardFocusChange);
}

TEST_F(InputWindow, ControlsReachedWithTheArrowKeysOrEnterShowTheFocusMark) {
    View(FormId::FrmMain)->SetFocus(ctl::cmdExit);
    QTest::keyClick(Main(ctl::cmdExit), Qt::Key_Down);
    ASSERT_EQ(View(FormId::FrmMain)->Focused(), ctl::External);
    EXPECT_TRUE(ShowsFocusMark(Main(ctl::External)));
    QTest::keyClick(Main(ctl::External), Qt::Key_Return);
    ASSERT_EQ(View(FormId::FrmMain)->Focused(), ctl::Internal);
    EXPECT_TRUE(ShowsFocusMark(Main(ctl::Internal)));
    EXPECT_FALSE(ShowsFocusMark(Main(ctl::External)));
    QTest::keyClick(Main(ctl::Internal), Qt::Key_Up);
    EXPECT_TRUE(ShowsFocusMark(Main(ctl::External)));
}

TEST_F(InputWindow, TheHelpMenuSeparatorIsALineWithoutText) {
    auto* bar = qobject_cast<QAction*>(View(FormId::FrmMain)->ObjectOf(ctl::mnuHelpBar1));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isSeparator());
    EXPECT_TRUE(bar->text().isEmpty()) << "a menu draws a separator's text as a heading";
    EXPECT_EQ(View(FormId::FrmMain)->Text(ctl::mnuHelpBar1), "-") << "the caption stays the program's";
}

TEST_F(InputWindow, ClickingAHintCopiesItsValue) {
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    auto* standard = Main<QLabel>(ctl::LabelStandard);
    ASSERT_FALSE(standard->text().isEmpty());
    QTest::mouseClick(Main<QLineEdit>(ctl::InputPINDIA), Qt::LeftButton);
    Main<QLineEdit>(ctl::InputPINDIA)->clear();
    QTest::mouseClick(standard, Qt::LeftButton);
    // The standard pin of pitch 10 is 1.728/10.
    EXPECT_EQ(Main<QLineEdit>(ctl::InputPINDIA)->text(), "0.1728");
}

TEST_F(InputWindow, TheMouseOverAHintTurnsItRed) {
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    auto* standard = Main<QLabel>(ctl::LabelStandard);
    QTest::mouseMove(standard);
    Settle();
    EXPECT_EQ(View(FormId::FrmMain)->Foreground(ctl::LabelStandard), kLightRed);
    QTest::mouseMove(Main<QRadioButton>(ctl::Internal));
    Settle();
    EXPECT_EQ(View(FormId::FrmMain)->Foreground(ctl::Internal), kLightRed);
    EXPECT_EQ(View(FormId::FrmMain)->Foreground(ctl::External), kDarkBlue);
    QWidget* background = Window(FormId::FrmMain)->centralWidget();
    QTest::mouseMove(background, QPoint(2, background->height() - 2));
    Settle();
    EXPECT_EQ(View(FormId::FrmMain)->Foreground(ctl::Internal), kDarkBlue);
    EXPECT_EQ(View(FormId::FrmMain)->Foreground(ctl::LabelStandard), kBlack);
}

TEST_F(InputWindow, ChoosingInternalChangesTheCaptionAndFeature) {
    QTest::mouseClick(Main<QRadioButton>(ctl::Internal), Qt::LeftButton);
    EXPECT_EQ(Window(FormId::FrmMain)->windowTitle(), "Involvo - (Calculate Dimension Between Pins)");
    EXPECT_EQ(Main<QComboBox>(ctl::Combo1)->currentText(), "Circular Space Width");
    EXPECT_EQ(Main<QLabel>(ctl::LabelCTT_MOW)->text(), "Circular Space Width");
}

TEST_F(InputWindow, MenuCheckMarksFollowTheProgramNotTheClick) {
    auto* mow = Main<QAction>(ctl::MnuMow);
    ASSERT_TRUE(mow->isChecked());
    mow->trigger();  // choosing the mode that is already on keeps its mark
    EXPECT_TRUE(mow->isChecked());
    Main<QAction>(ctl::MnuSpan)->trigger();
    EXPECT_TRUE(Main<QAction>(ctl::MnuSpan)->isChecked());
    EXPECT_FALSE(mow->isChecked());
    EXPECT_FALSE(Main<QRadioButton>(ctl::Internal)->isEnabled());
}

TEST_F(InputWindow, CalculateThroughAPinWarningAnsweredOkEndsOnPageOne) {
    DialogHand hand;
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    // A 0.5 pin on the 2.4 pitch circle touches the flank above the 2.6 O.D.
    Enter(ctl::InputPINDIA, "0.5");
    QTest::mouseClick(Main<QPushButton>(ctl::CmdCalc), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return app_.IsLoaded(FormId::FrmOutput1) && Window(FormId::FrmOutput1)->isVisible(); }));

    ASSERT_EQ(hand.Seen().size(), 1u);
    const SeenDialog& warning = hand.Seen().front();
    EXPECT_EQ(warning.window, "FrmMain");
    EXPECT_EQ(warning.title, "Involvo");
    EXPECT_EQ(warning.icon, QMessageBox::Warning);
    EXPECT_TRUE(warning.hasCancel);
    EXPECT_EQ(warning.text,
              "The pin diameter that you have chosen is too large and will\n"
              "contact on the outside diameter and not on the tooth profile.\n"
              "Choose OK to continue or Cancel to enter a smaller pin diameter?");

    ASSERT_TRUE(app_.IsLoaded(FormId::FrmOutput1));
    EXPECT_TRUE(Window(FormId::FrmOutput1)->isVisible());
    EXPECT_EQ(Window(FormId::FrmOutput1)->windowTitle(), "Calculated gear data page 1");
    EXPECT_EQ(Widget<QLineEdit>(FormId::FrmOutput1, ctl::Text(1))->text(), "24");
}

TEST_F(InputWindow, CalculateThroughAPinWarningAnsweredCancelReturnsToThePin) {
    DialogHand hand;
    hand.Press(QMessageBox::Cancel);
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
    Enter(ctl::InputPINDIA, "0.5");
    QTest::mouseClick(Main<QPushButton>(ctl::CmdCalc), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return hand.Seen().size() == 1 && Main<QLineEdit>(ctl::InputPINDIA)->hasFocus(); }));
    ASSERT_EQ(hand.Seen().size(), 1u);
    EXPECT_FALSE(app_.IsLoaded(FormId::FrmOutput1));
    EXPECT_EQ(View(FormId::FrmMain)->Focused(), ctl::InputPINDIA);
    EXPECT_TRUE(Main<QLineEdit>(ctl::InputPINDIA)->hasFocus());
}

}  // namespace
}  // namespace involvo::testing
