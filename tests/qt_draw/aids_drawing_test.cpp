// The measuring-aids drawing on the offscreen platform: the files are written
// whole, the page is printed, and the widget zooms and fits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "engine/gearmain.h"
#include "engine/measuring_aids.h"
#include "engine/pin_picture.h"
#include "platform/qt_draw/aids_drawing.h"
#include "platform/qt_draw/aids_widget.h"

namespace involvo::qtdraw {
namespace {

QApplication& TheApp() {
    static int argc = 1;
    static char name[] = "qt_draw_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);  // lives to the end of the run
    return *app;
}

// The drawing of a calculation of the dimension over (between) pins.
AidsDrawing DrawingOf(int16_t type, float teeth, float pitch, float helix, float thickness, float pin) {
    gearmain::GearMain gear;
    gear.StartUp();
    gear.CalcMode = 1;
    gear.GearType = type;
    gear.NumTeeth = teeth;
    gear.NormalDP = pitch;
    gear.NormalPA = 20;
    gear.HelixAngle = helix;
    gear.FeatureValue = gear.Thick1 = thickness;
    gear.PinDiameter = pin;
    gear.CalculateGear({});
    EXPECT_EQ(gear.CalcFailed, 0);
    return AidsDrawing{gearmain::PinPictureOf(gear, gear.Thick1, gear.PinDiameter), gearmain::MeasuringAidsOf(gear),
                       helix > 0, gear.ChordalText};
}

class AidsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        TheApp();
        ASSERT_TRUE(dir.isValid());
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
};

TEST_F(AidsFiles, SvgIsWrittenWithTheLabelsOfTheCircles) {
    const QString file = Path("spur.svg");
    EXPECT_EQ(SaveSvg(file, DrawingOf(1, 24, 10, 0, 0.15708f, 0.1728f), QSize(800, 900)), QString());
    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_GT(text.size(), 10000);
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("Pitch dia. 2.40000"));
    EXPECT_TRUE(text.contains("Pins that work: "));
    EXPECT_TRUE(text.contains("Over pins 2.639969"));
}

TEST_F(AidsFiles, PngIsWrittenAtTheSizeAsked) {
    const QString file = Path("internal.png");
    EXPECT_EQ(SavePng(file, DrawingOf(2, 60, 10, 0, 0.15708f, 0.144f), QSize(600, 700)), QString());
    QImage image(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(600, 700));
    // The gear's ring is filled: the picture is not blank.
    int inked = 0;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixelColor(x, y) != QColor(Qt::white)) ++inked;
    EXPECT_GT(inked, 500);
}

TEST_F(AidsFiles, APageIsPrinted) {
    const QString file = Path("page.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    EXPECT_EQ(PrintAids(printer, DrawingOf(1, 25, 10, 30, 0.15708f, 0.1728f)), QString());
    EXPECT_GT(QFile(file).size(), 2000);
}

TEST_F(AidsFiles, AFileThatCannotBeWrittenIsReportedAndNotLeftHalf) {
    const QString file = Path("no such folder/aids.png");
    EXPECT_NE(SavePng(file, DrawingOf(1, 24, 10, 0, 0.15708f, 0.1728f), QSize(300, 300)), QString());
    EXPECT_NE(SaveSvg(Path("no such folder/aids.svg"), DrawingOf(1, 24, 10, 0, 0.15708f, 0.1728f), QSize(300, 300)),
              QString());
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(AidsFiles, APinThatCannotBePlacedStillDrawsTheRanges) {
    AidsDrawing drawing = DrawingOf(1, 24, 10, 0, 0.15708f, 0.1728f);
    drawing.picture.reset();
    const QString file = Path("none.svg");
    EXPECT_EQ(SaveSvg(file, drawing, QSize(500, 600)), QString());
    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("The pin cannot be placed in the tooth space."));
    EXPECT_TRUE(text.contains("Pins that work: "));
}

TEST(AidsWidgetTest, WheelZoomsAboutThePointerAndDoubleClickFits) {
    TheApp();
    AidsWidget widget;
    widget.resize(640, 760);
    widget.SetDrawing(DrawingOf(1, 24, 10, 0, 0.15708f, 0.1728f));
    widget.show();
    const QRectF fitted = widget.Region();
    ASSERT_GT(fitted.width(), 0);

    const QTransform before = GearToArea(PictureArea(QRectF(widget.rect()), widget.Drawing()), fitted);
    const QPointF pointer(400, 250);
    const QPointF under = before.inverted().map(pointer);
    QWheelEvent wheel(pointer, widget.mapToGlobal(pointer), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
    const QRectF zoomed = widget.Region();
    EXPECT_NEAR(zoomed.width(), fitted.width() / 1.5625, fitted.width() * 1e-9);
    // The point of the gear under the pointer stays there.
    const QTransform after = GearToArea(PictureArea(QRectF(widget.rect()), widget.Drawing()), zoomed);
    EXPECT_NEAR(after.map(under).x(), pointer.x(), 1e-6);
    EXPECT_NEAR(after.map(under).y(), pointer.y(), 1e-6);

    QTest::mouseDClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_EQ(widget.Region(), fitted);
}

}  // namespace
}  // namespace involvo::qtdraw
