// The picture of the pin in its tooth space: where the pin and its contacts
// lie, against the involute worked from the base circle and the thickness.
#include <cmath>

#include "driver_fixture.h"
#include "engine/pin_picture.h"

using namespace gearmain;

namespace {

constexpr double kPi = 3.14159265358979323846;

double Inv(double a) { return std::tan(a) - a; }

struct PictureCase {
    const char* name;
    int16_t type;
    float teeth, pitch, pa, helix;
    const char* thickness;  // or space width
    float pin;
};

class Picture : public enginetest::DriverTest, public ::testing::WithParamInterface<PictureCase> {
protected:
    void SetUp() override {
        DriverTest::SetUp();
        const PictureCase& c = GetParam();
        Gear(1, c.type, c.teeth, c.pitch, c.pa, c.helix);
        Feature(c.type == 1 ? "Circular Tooth Thickness" : "Circular Space Width", c.thickness);
        Pin(c.pin);
        Run();
        ASSERT_EQ(gear.CalcFailed, 0);
        pic = PinPictureOf(gear, gear.Thick1, gear.PinDiameter).value();

        // The transverse gear, worked here from the entries.
        const double helix = c.helix * kPi / 180, pa = c.pa * kPi / 180;
        alphaT = std::atan(std::tan(pa) / std::cos(helix));
        D = c.teeth / (c.pitch * std::cos(helix));
        rb = D * std::cos(alphaT) / 2;
        baseHelix = std::atan(std::tan(helix) * std::cos(alphaT));
        transverse = Val(c.thickness) / std::cos(helix);
    }

    // The direction of the point at radius r on the flank right of the pin:
    // the facing flank of the tooth half a pitch to the right (external), or
    // the right flank of the pin's own space (internal).
    double RightFlankAt(double r) const {
        const double n = GetParam().teeth;
        const double involute = Inv(std::acos(std::min(1.0, rb / r)));
        const double half = transverse / D + Inv(alphaT) - involute;
        return GetParam().type == 1 ? kPi / 2 - kPi / n + half : kPi / 2 - half;
    }

    PinPicture pic;
    double alphaT = 0, D = 0, rb = 0, baseHelix = 0, transverse = 0;
};

class Pictures : public enginetest::DriverTest {};

double DistanceToPolyline(const Point& p, const Polyline& line) {
    double best = 1e30;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const Point &a = line[i - 1], &b = line[i];
        const double vx = b.x - a.x, vy = b.y - a.y, len2 = vx * vx + vy * vy;
        const double f = std::clamp(len2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0, 0.0, 1.0);
        best = std::min(best, std::hypot(p.x - a.x - f * vx, p.y - a.y - f * vy));
    }
    return best;
}

// The pin centre is where the page's measurement puts it (M = D2 + d over pins, D2 - d between,
// D2 cos(90/N) for odd counts); the contacts lie on the contact diameter of the page and, seen
// along the axis, (d/2) cos(base helix) from the centre of a ball (d/2 on a spur gear).
TEST_P(Picture, PinAndContactsLieWhereTheMeasurementPutsThem) {
    const PictureCase& c = GetParam();
    const double d = c.pin, D2 = 2 * pic.pinCentre.y;
    const bool odd = std::fmod(c.teeth, 2.0f) != 0;
    const double across = odd ? std::cos(kPi / 2 / c.teeth) * D2 : D2;
    EXPECT_NEAR(c.type == 1 ? across + d : across - d, Val(gear.MeasureText), 3e-6);
    EXPECT_EQ(pic.dimension.has_value(), !odd);
    if (pic.dimension) {
        EXPECT_NEAR(pic.dimension->from.y - pic.dimension->to.y, Val(gear.MeasureText), 3e-6);
        EXPECT_NEAR(pic.dimension->value, Val(gear.MeasureText), 1e-6);
        EXPECT_NEAR(pic.dimension->from.y, c.type == 1 ? pic.pinCentre.y + d / 2 : pic.pinCentre.y - d / 2, 1e-12);
    }
    EXPECT_EQ(pic.pinCentre.x, 0);
    EXPECT_DOUBLE_EQ(pic.pinRadius, d / 2);
    for (const Point& p : pic.contacts) {
        EXPECT_NEAR(std::hypot(p.x, p.y), Val(gear.PinContactText) / 2.0, 6e-6);
        EXPECT_NEAR(std::hypot(p.x - pic.pinCentre.x, p.y - pic.pinCentre.y), d / 2 * std::cos(baseHelix), 1e-9);
    }
    EXPECT_NEAR(pic.contactRadius, Val(gear.PinContactText) / 2.0, 6e-6);
    EXPECT_DOUBLE_EQ(pic.contacts[1].x, -pic.contacts[0].x);
    EXPECT_DOUBLE_EQ(pic.contacts[1].y, pic.contacts[0].y);
    EXPECT_GT(pic.contacts[0].x, 0);
    EXPECT_EQ(pic.internal, c.type != 1);
    EXPECT_EQ(pic.teeth, static_cast<int>(c.teeth));
    EXPECT_NEAR(pic.baseRadius, rb, 2e-7 * D);
    EXPECT_NEAR(pic.pitchRadius, D / 2, 2e-7 * D);
    EXPECT_NEAR(pic.rootRadius, gear.RootDiameter / 2.0, 1e-9);
    EXPECT_NEAR(pic.tipRadius, (c.type == 1 ? gear.OutsideDiameter : gear.InsideDiameter) / 2.0, 1e-9);
}

// The flanks drawn are the involutes of the thickness, from the inner end outwards. A contact lies
// on the involute of its flank: on a helical gear (d/2) sin(base helix) off the plane of the
// drawing, where the flank is the drawn one turned about the axis by that distance times
// tan(base helix)/rb; the flanks of the contacts pass through them unless the pin touches beyond the tip.
TEST_P(Picture, FlanksAreTheInvolutesAndTheContactsLieOnThem) {
    const PictureCase& c = GetParam();
    const Polyline& flank = pic.flanks[pic.rightFlank];
    ASSERT_GE(flank.size(), 20u);
    for (const Point& q : flank) EXPECT_NEAR(std::atan2(q.y, q.x), RightFlankAt(std::hypot(q.x, q.y)), 1e-7);
    EXPECT_LT(std::hypot(flank.front().x, flank.front().y), std::hypot(flank.back().x, flank.back().y));
    // An external tooth's flank runs out to the tip circle, or to the point of a pointed tooth.
    const double outer = std::hypot(flank.back().x, flank.back().y), half = RightFlankAt(outer) - kPi / 2 + kPi / c.teeth;
    EXPECT_TRUE(c.type != 1 || std::fabs(outer - pic.tipRadius) < 1e-9 || std::fabs(half) < 1e-9) << outer;
    const Point& p = pic.contacts[0];
    const double r = std::hypot(p.x, p.y), offset = c.pin / 2.0 * std::sin(baseHelix);
    EXPECT_NEAR(std::fabs(std::atan2(p.y, p.x) - RightFlankAt(r)), offset * std::tan(baseHelix) / rb, 2e-7);
    EXPECT_NEAR(pic.contactOffset, offset, 1e-8);
    if (c.type == 1 ? r < pic.tipRadius : r < pic.rootRadius) {
        const double sag = 1e-4 * 2.25 / c.pitch;
        for (int side : {0, 1}) {
            EXPECT_LT(DistanceToPolyline(pic.contacts[side], pic.contactFlanks[side]), sag);
            if (c.helix == 0) {
                EXPECT_LT(DistanceToPolyline(pic.contacts[side], pic.flanks[side ? pic.leftFlank : pic.rightFlank]), sag);
            }
        }
    }
}

// The outline runs counter-clockwise between the root and tip circles over the directions of the
// picture; a fitted view holds the pin, the teeth either side of it and the circles below them.
TEST_P(Picture, OutlineRunsBetweenRootAndTipAndTheViewHoldsThePinAndItsTeeth) {
    ASSERT_GT(pic.outline.size(), 100u);
    const double inner = std::min({pic.rootRadius, pic.tipRadius, pic.baseRadius}), outer = std::max(pic.rootRadius, pic.tipRadius);
    double previous = -10;
    for (const Point& q : pic.outline) {
        const double r = std::hypot(q.x, q.y);
        EXPECT_TRUE(r >= inner - 1e-9 && r <= outer + 1e-9) << r;
        double angle = std::atan2(q.y, q.x);
        if (angle < -kPi / 2 + 1e-9) angle += 2 * kPi;
        EXPECT_GE(angle, previous - 1e-12);
        previous = angle;
    }
    EXPECT_NEAR(std::atan2(pic.outline.front().y, pic.outline.front().x), kPi / 2 - pic.halfAngle, 1e-9);
    EXPECT_NEAR(previous, kPi / 2 + pic.halfAngle, 1e-9);
    // Unbroken: two points of the outline a tenth of a circular pitch apart or
    // more lie in one direction (a flank running radially to the root). The
    // view holds the teeth either side of the pin: the outline within a pitch
    // of its direction.
    const double pitch = kPi / GetParam().pitch;
    for (size_t i = 1; i < pic.outline.size(); ++i) {
        const Point &a = pic.outline[i - 1], &b = pic.outline[i];
        if (std::hypot(b.x - a.x, b.y - a.y) < 0.1 * pitch) continue;
        ASSERT_NEAR(std::atan2(a.y, a.x), std::atan2(b.y, b.x), 1e-9) << i;
    }
    const Box& v = pic.view;
    for (const Point& q : pic.outline) {
        if (std::fabs(std::atan2(q.y, q.x) - kPi / 2) > 2 * kPi / GetParam().teeth) continue;
        EXPECT_TRUE(q.x > v.left && q.x < v.right && q.y > v.bottom && q.y < v.top) << q.x << " " << q.y;
    }
    EXPECT_LT(v.left, pic.pinCentre.x - pic.pinRadius);
    EXPECT_GT(v.right, pic.pinCentre.x + pic.pinRadius);
    EXPECT_LT(v.bottom, std::min({pic.pinCentre.y - pic.pinRadius, pic.rootRadius, pic.tipRadius}));
    EXPECT_GT(v.top, std::max(pic.pinCentre.y + pic.pinRadius, pic.tipRadius * std::cos(2 * kPi / GetParam().teeth)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Picture,
    ::testing::Values(
        PictureCase{"ExternalSpur24", 1, 24, 10, 20, 0, "0.157080", 0.1728f},
        PictureCase{"ExternalSpurOdd", 1, 25, 10, 20, 0, "0.155000", 0.1728f},
        PictureCase{"ExternalFewTeeth", 1, 7, 4, 25, 0, "0.392699", 0.48f},
        PictureCase{"ExternalLargePin", 1, 24, 10, 20, 0, "0.157080", 0.36f},
        PictureCase{"HelicalOddBalls", 1, 25, 10, 20, 30, "0.157080", 0.1728f},
        PictureCase{"HelicalEvenBalls", 1, 40, 8, 25, 20, "0.190000", 0.24f},
        PictureCase{"InternalEven", 2, 60, 10, 20, 0, "0.157080", 0.144f},
        PictureCase{"InternalOdd", 2, 61, 10, 20, 0, "0.159000", 0.144f},
        PictureCase{"InternalHelical", 2, 48, 10, 20, 20, "0.157080", 0.144f}),
    [](const auto& info) { return std::string(info.param.name); });

// Beyond d = 0.2316 the pin no longer fits the space of 60 internal teeth; fewer than 3 teeth, or
// teeth without flanks (a whole depth of 0: a fault regression, it read a flank that was not
// there), make no picture either.
TEST_F(Pictures, APinWithoutPlaceOrFlanksHasNoPicture) {
    Gear(1, 2, 60, 10, 20);
    Feature("Circular Space Width", "0.157080");
    Pin(0.144f);
    Run();
    EXPECT_FALSE(PinPictureOf(gear, 0.15708f, 0.25f));
    EXPECT_TRUE(PinPictureOf(gear, 0.15708f, 0.144f));
    EXPECT_EQ(gear.CalcFailed, 0);
    gear.DepthSystem = 9, gear.CutterDepthText = "0";
    Run();
    EXPECT_FALSE(PinPictureOf(gear, 0.15708f, 0.144f));
    Gear(1, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.157080");
    Run();
    ASSERT_EQ(gear.CalcFailed, 0);
    EXPECT_FALSE(PinPictureOf(gear, 0.15708f, 0.1728f));
    gear.NumTeeth = 2, gear.NormalDP = 1;
    EXPECT_FALSE(PinPictureOf(gear, 1.0f, 0.5f));
}

}  // namespace
