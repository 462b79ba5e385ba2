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
    const char* feature;
    const char* thickness;
    float pin;
};

class Picture : public enginetest::DriverTest, public ::testing::WithParamInterface<PictureCase> {
protected:
    void SetUp() override {
        DriverTest::SetUp();
        const PictureCase& c = GetParam();
        Gear(1, c.type, c.teeth, c.pitch, c.pa, c.helix);
        Feature(c.feature, c.thickness);
        Pin(c.pin);
        Run();
        ASSERT_EQ(gear.CalcFailed, 0);
        std::optional<PinPicture> made = PinPictureOf(gear, gear.Thick1, gear.PinDiameter);
        ASSERT_TRUE(made);
        pic = *made;

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

double DistanceToPolyline(const Point& p, const Polyline& line) {
    double best = 1e30;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const Point& a = line[i - 1];
        const Point& b = line[i];
        const double vx = b.x - a.x, vy = b.y - a.y;
        const double len2 = vx * vx + vy * vy;
        double f = len2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0;
        f = std::clamp(f, 0.0, 1.0);
        best = std::min(best, std::hypot(p.x - a.x - f * vx, p.y - a.y - f * vy));
    }
    return best;
}

TEST_P(Picture, ContactsLieOnTheContactDiameterAndAtTheBallFromItsCentre) {
    const double d = GetParam().pin;
    for (const Point& p : pic.contacts) {
        // The contact diameter of the page, written with five decimals.
        EXPECT_NEAR(std::hypot(p.x, p.y), Val(gear.PinContactText) / 2.0, 6e-6);
        // Seen along the axis, a ball touches a helical flank at
        // (d/2) cos(base helix) from its centre; a spur flank at d/2.
        EXPECT_NEAR(std::hypot(p.x - pic.pinCentre.x, p.y - pic.pinCentre.y), d / 2 * std::cos(baseHelix), 1e-9);
    }
    EXPECT_DOUBLE_EQ(pic.contacts[1].x, -pic.contacts[0].x);
    EXPECT_DOUBLE_EQ(pic.contacts[1].y, pic.contacts[0].y);
    EXPECT_GT(pic.contacts[0].x, 0);
    EXPECT_DOUBLE_EQ(pic.pinRadius, d / 2);
    EXPECT_EQ(pic.pinCentre.x, 0);
}

// The contact lies on the involute of its flank. On a helical gear it lies
// (d/2) sin(base helix) off the plane of the drawing, where the flank is the
// drawn one turned about the axis by that distance times tan(base helix)/rb.
TEST_P(Picture, ContactsLieOnTheFlankInvolute) {
    const Point& p = pic.contacts[0];
    const double r = std::hypot(p.x, p.y);
    const double offset = GetParam().pin / 2.0 * std::sin(baseHelix);
    const double turn = offset * std::tan(baseHelix) / rb;
    EXPECT_NEAR(std::fabs(std::atan2(p.y, p.x) - RightFlankAt(r)), turn, 2e-7);
    EXPECT_NEAR(pic.contactOffset, offset, 1e-8);
    // The flanks of the contacts pass through them (within the sag of their
    // chords), unless the pin touches beyond the tip; on a spur gear they are
    // the drawn flanks.
    const bool onFlank = GetParam().type == 1 ? r < pic.tipRadius : r < pic.rootRadius;
    if (onFlank) {
        const double sag = 1e-4 * 2.25 / GetParam().pitch;
        EXPECT_LT(DistanceToPolyline(p, pic.contactFlanks[0]), sag);
        EXPECT_LT(DistanceToPolyline(pic.contacts[1], pic.contactFlanks[1]), sag);
        if (GetParam().helix == 0) {
            EXPECT_LT(DistanceToPolyline(p, pic.flanks[pic.rightFlank]), sag);
            EXPECT_LT(DistanceToPolyline(pic.contacts[1], pic.flanks[pic.leftFlank]), sag);
        }
    }
}

// The flanks drawn are those involutes: every point of the flank beside the
// pin lies in the direction the involute gives for its radius.
TEST_P(Picture, FlanksAreTheInvolutesOfTheThickness) {
    const Polyline& flank = pic.flanks[pic.rightFlank];
    ASSERT_GE(flank.size(), 20u);
    for (const Point& q : flank) EXPECT_NEAR(std::atan2(q.y, q.x), RightFlankAt(std::hypot(q.x, q.y)), 1e-7);
    // From the base (or inside) circle outwards.
    EXPECT_LT(std::hypot(flank.front().x, flank.front().y), std::hypot(flank.back().x, flank.back().y));
}

// The pin centre is where the page's measurement puts it: M = D2 + d over
// pins, D2 - d between, the pin-centre diameter D2 times cos(90/N) for odd
// counts (across the diagonal).
TEST_P(Picture, PinCentreGivesThePagesMeasurement) {
    const PictureCase& c = GetParam();
    const double d = c.pin, D2 = 2 * pic.pinCentre.y;
    const bool odd = std::fmod(c.teeth, 2.0f) != 0;
    const double across = odd ? std::cos(kPi / 2 / c.teeth) * D2 : D2;
    const double m = c.type == 1 ? across + d : across - d;
    EXPECT_NEAR(m, Val(gear.MeasureText), 3e-6);
    if (odd) {
        EXPECT_FALSE(pic.dimension);
    } else {
        ASSERT_TRUE(pic.dimension);
        EXPECT_NEAR(pic.dimension->from.y - pic.dimension->to.y, Val(gear.MeasureText), 3e-6);
        EXPECT_EQ(pic.dimension->from.x, 0);
        EXPECT_NEAR(pic.dimension->from.y, c.type == 1 ? pic.pinCentre.y + d / 2 : pic.pinCentre.y - d / 2, 1e-12);
    }
}

TEST_P(Picture, CirclesAreThoseOfTheGear) {
    EXPECT_NEAR(pic.baseRadius, rb, 2e-7 * D);
    EXPECT_NEAR(pic.pitchRadius, D / 2, 2e-7 * D);
    EXPECT_NEAR(pic.rootRadius, gear.RootDiameter / 2.0, 1e-9);
    const double tip = (GetParam().type == 1 ? gear.OutsideDiameter : gear.InsideDiameter) / 2.0;
    EXPECT_NEAR(pic.tipRadius, tip, 1e-9);
}

// The outline runs counter-clockwise between the root and tip circles and
// covers the directions of the picture.
TEST_P(Picture, OutlineRunsBetweenRootAndTip) {
    ASSERT_GT(pic.outline.size(), 100u);
    const double inner = std::min({pic.rootRadius, pic.tipRadius, pic.baseRadius});
    const double outer = std::max(pic.rootRadius, pic.tipRadius);
    double previous = -10;
    for (const Point& q : pic.outline) {
        const double r = std::hypot(q.x, q.y);
        EXPECT_GE(r, inner - 1e-9);
        EXPECT_LE(r, outer + 1e-9);
        double angle = std::atan2(q.y, q.x);
        if (angle < -kPi / 2 + 1e-9) angle += 2 * kPi;
        EXPECT_GE(angle, previous - 1e-12);
        previous = angle;
    }
    const Point& first = pic.outline.front();
    EXPECT_NEAR(std::atan2(first.y, first.x), kPi / 2 - pic.halfAngle, 1e-9);
}

TEST_P(Picture, FittedViewHoldsThePinAndItsTeeth) {
    const Box& v = pic.view;
    EXPECT_LT(v.left, pic.pinCentre.x - pic.pinRadius);
    EXPECT_GT(v.right, pic.pinCentre.x + pic.pinRadius);
    EXPECT_LT(v.bottom, pic.pinCentre.y - pic.pinRadius);
    EXPECT_GT(v.top, pic.pinCentre.y + pic.pinRadius);
    EXPECT_GT(v.top, pic.tipRadius * std::cos(2 * kPi / GetParam().teeth));
    EXPECT_LT(v.bottom, std::min(pic.rootRadius, pic.tipRadius));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Picture,
    ::testing::Values(
        PictureCase{"ExternalSpur24", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.157080", 0.1728f},
        PictureCase{"ExternalSpurOdd", 1, 25, 10, 20, 0, "Circular Tooth Thickness", "0.155000", 0.1728f},
        PictureCase{"ExternalFewTeeth", 1, 7, 4, 25, 0, "Circular Tooth Thickness", "0.392699", 0.48f},
        PictureCase{"ExternalLargePin", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.157080", 0.36f},
        PictureCase{"HelicalOddBalls", 1, 25, 10, 20, 30, "Circular Tooth Thickness", "0.157080", 0.1728f},
        PictureCase{"HelicalEvenBalls", 1, 40, 8, 25, 20, "Circular Tooth Thickness", "0.190000", 0.24f},
        PictureCase{"InternalEven", 2, 60, 10, 20, 0, "Circular Space Width", "0.157080", 0.144f},
        PictureCase{"InternalOdd", 2, 61, 10, 20, 0, "Circular Space Width", "0.159000", 0.144f},
        PictureCase{"InternalHelical", 2, 48, 10, 20, 20, "Circular Space Width", "0.157080", 0.144f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PinPicture, APinTheInvoluteRoutineCannotPlaceHasNoPicture) {
    GearMain gear;
    gear.StartUp();
    gear.CalcMode = 1;
    gear.GearType = 2;
    gear.NumTeeth = 60;
    gear.NormalDP = 10;
    gear.NormalPA = 20;
    // Beyond d = 0.2316 the pin no longer fits the space of the internal gear.
    EXPECT_FALSE(PinPictureOf(gear, 0.15708f, 0.25f));
    EXPECT_EQ(gear.CalcFailed, 0);
}

}  // namespace
