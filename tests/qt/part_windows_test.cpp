// The windows of a part on real Qt windows (offscreen): the Check a Part window
// and the Measuring Aids window opened from page 1's File menu, and the input
// screen's Save Part and Open Part through the file dialogs.
#include <QFileDialog>
#include <QLabel>

#include "platform/qt_draw/aids_widget.h"
#include "tests/qt/qt_support.h"

namespace involvo::testing {
namespace {

class PartWindows : public QtProgram {
protected:
    PartWindows() {
        // Answers each file dialog with the next file name.
        QObject::connect(&fileHand, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || files.empty()) return;
            dialog->selectFile(files.front());
            files.pop_front();
            static_cast<QDialog*>(dialog)->accept();
        });
        fileHand.start(10);
    }
    void CalculateBand() {
        Enter(ctl::InputNT, "24");
        Enter(ctl::InputDP, "10");
        Enter(ctl::InputCTT_MOW, "0.155/0.157");
        Click(FormId::FrmMain, ctl::CmdCalc);
        ASSERT_TRUE(WaitFor([&] { return app_.IsLoaded(FormId::FrmOutput1); }));
    }
    static QWidget* TopLevel(const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
        return nullptr;
    }

    std::deque<QString> files;
    QTimer fileHand;
};

TEST_F(PartWindows, CheckAPartShowsTheVerdictAtOnceAndSavesTheReportAsPdf) {
    DialogHand hand;
    CalculateBand();
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
    Widget<QPushButton>(FormId::FrmCheckPart, ctl::CmdSavePdf)->click();
    ASSERT_TRUE(WaitFor([&] { return !hand.seen.empty(); }));
    EXPECT_EQ(hand.seen.back().text, "The inspection report was saved in the file " + Path("report.pdf").toStdString() + ".");
    EXPECT_TRUE(Read("report.pdf").startsWith("%PDF"));
}

TEST_F(PartWindows, MeasuringAidsDrawsThePinZoomsFitsAndSavesTheSvg) {
    CalculateBand();
    Trigger(FormId::FrmOutput1, ctl::mnuFileAids);
    QWidget* aids = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (aids = TopLevel("MeasuringAids")) != nullptr; }));
    // The drawing widget is no QObject class of its own: found by its name.
    auto* picture = static_cast<qtdraw::AidsWidget*>(aids->findChild<QWidget*>("MeasuringAidsPicture"));
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(picture->Drawing().picture.has_value());
    const QRectF fitted = picture->Region();
    picture->ZoomAt(QPointF(picture->rect().center()), 2.0);
    EXPECT_LT(picture->Region().width(), fitted.width());
    QTest::mouseClick(aids->findChild<QPushButton*>("CmdFit"), Qt::LeftButton);
    EXPECT_EQ(picture->Region(), fitted);

    files.push_back(Path("aids"));
    QTest::mouseClick(aids->findChild<QPushButton*>("CmdSaveSvg"), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return Read("aids.svg").startsWith("<?xml"); }));
    // It closes with page 1.
    QTest::mouseClick(Widget<QPushButton>(FormId::FrmOutput1, ctl::CmdOK), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return TopLevel("MeasuringAids") == nullptr; }));
}

TEST_F(PartWindows, SavePartAndOpenPartGoThroughTheFileDialogs) {
    Enter(ctl::InputNT, "24");
    Enter(ctl::InputDP, "10");
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
