#include "engine/measuring_aids.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace gearmain {

namespace {

// The smallest pin worth naming: one unit of the fourth decimal.
constexpr double kFinestPin = 0.0001;
// Boundaries are located well below the fourth decimal before rounding.
constexpr double kBoundaryTolerance = 1e-6;
// Points of the scan when no seed works, from the finest pin to the largest.
constexpr int kScanPoints = 160;

// A copy of the state with the markers of the last calculation cleared.
GearMain Scratch(const GearMain& last) {
    GearMain gear = last;
    gear.CalcFailed = 0;
    gear.PinRefused = 0;
    return gear;
}

// What a probing calculation is given: the thickness is entered as it stands
// (no feature the calculation converts, no band, no face width).
const CalculationInput kProbe{};

// The largest pin worth trying: far beyond any pin that reaches the flanks.
double LargestPin(const GearMain& gear) { return 50.0 * 3.14159265 / std::max(gear.NormalDP, 0.1f); }

// A value to four decimals, rounded up or down.
double Up4(double v) { return std::ceil(v * 10000.0 - 1e-9) / 10000.0; }
double Down4(double v) { return std::floor(v * 10000.0 + 1e-9) / 10000.0; }

// Bisection between a point where the test fails and one where it holds; the
// point returned holds, within the tolerance of the boundary.
template <typename Test>
double Boundary(const Test& holds, double fails, double passes) {
    while (std::fabs(passes - fails) > kBoundaryTolerance) {
        const double mid = (fails + passes) / 2.0;
        if (mid == fails || mid == passes) break;
        if (holds(mid)) passes = mid;
        else fails = mid;
    }
    return passes;
}

// The value to four decimals nearest the boundary on its passing side, moved
// on by a unit while it does not pass (a Single at the boundary may still fall
// either way); no value when it would cross the limit.
template <typename Test>
std::optional<double> Settle(const Test& holds, double value, double step, double limit) {
    for (int tries = 0; tries < 4; ++tries) {
        if ((step > 0 && value > limit + 1e-9) || (step < 0 && value < limit - 1e-9)) return std::nullopt;
        if (holds(value)) return value;
        value += step;
    }
    return std::nullopt;
}

// The chordal addendum of a calculation at the thickness, on a copy.
std::optional<float> ChordalAddendumAt(const GearMain& last, float thickness) {
    GearMain gear = Scratch(last);
    gear.CalcMode = 1;
    gear.InputFeature.clear();
    gear.QualityNumber = 0;
    gear.Thick1 = thickness;
    gear.Thick2 = 0;
    gear.CalculateGear(kProbe);
    if (gear.CalcFailed == -1) return std::nullopt;
    return gear.ChordalAddendum;
}

float StandardPin(const GearMain& last) {
    GearMain gear = Scratch(last);
    int16_t type = gear.GearType;
    return static_cast<float>(gear.StandardPinDia(type, gear.NumTeeth, gear.NormalDP, gear.NormalPA).Value());
}

}  // namespace

PinCheck PinCheckOf(const GearMain& last, float thickness) {
    auto basis = std::make_shared<GearMain>(Scratch(last));
    return [basis, thickness](float pin) {
        // The pin over (or between) the teeth of the thickness, as the
        // calculation measures it, then the calculation's own checks.
        GearMain probe = *basis;
        float t = thickness, d = pin;
        int16_t type = probe.GearType;
        probe.MeasurementFromThickness(probe.NumTeeth, probe.NormalDP, probe.NormalPA, t, d, type, probe.HelixAngle);
        PinVerdict verdict;
        verdict.measured = probe.CalcFailed != -1;
        if (!verdict.measured) return verdict;
        const PinContact contact{pin, SngEntry(Val(ResultText(probe.PinContactDiameter))), 0.0f,
                                 Val(ResultText(probe.RadialDim))};
        const PinWarnings warnings = probe.PinContactWarnings(contact);
        verdict.tooLarge = warnings.tooLarge;
        verdict.tooSmall = warnings.tooSmall;
        return verdict;
    };
}

std::optional<PinRange> WorkingPins(const PinCheck& check, const std::vector<double>& seeds) {
    auto works = [&](double pin) { return pin > 0 && check(static_cast<float>(pin)).Works(); };
    double largestSeed = 0;
    for (double s : seeds) largestSeed = std::max(largestSeed, s);
    // The scan looks up to fifty times the largest seed; upwards from a pin
    // that works the search goes on until a pin fails (the involute routine
    // fails for every gear before the pin centre reaches 90 degrees), within
    // reason.
    const double scanned = std::max(largestSeed * 50.0, 1.0);
    const double cap = std::max(largestSeed * 1e5, 1e3);

    // A pin that works, and the nearest pins known to fail below and above it
    // (0: none known).
    std::optional<double> seed;
    double below = 0, above = 0;

    // Where the boundary between too small and not too small lies between a
    // pin too small and a larger one that is not: the pin just there may
    // work when the range is narrow.
    auto edgeOfSmall = [&](double small, double larger) {
        auto notSmall = [&](double d) {
            PinVerdict v = check(static_cast<float>(d));
            return v.measured && !v.tooSmall;
        };
        const double edge = Boundary(notSmall, small, larger);
        if (works(edge)) {
            seed = edge;
            below = small;
            above = larger;
        }
    };

    // From each seed, a walk towards the pins that work: upwards from a pin
    // too small, downwards from one too large.
    for (double s : seeds) {
        if (seed) break;
        if (!(s >= kFinestPin && s <= cap)) continue;
        const PinVerdict first = check(static_cast<float>(s));
        if (first.Works()) {
            seed = s;
            break;
        }
        if (!first.measured || first.tooSmall == first.tooLarge) continue;
        const bool up = first.tooSmall;
        double previous = s;
        for (double pin = up ? s * 1.2 : s / 1.2; pin >= kFinestPin && pin <= cap; pin = up ? pin * 1.2 : pin / 1.2) {
            const PinVerdict now = check(static_cast<float>(pin));
            if (now.Works()) {
                seed = pin;
                (up ? below : above) = previous;
            } else if (now.measured && now.tooSmall != first.tooSmall && now.tooLarge != first.tooLarge) {
                if (up) edgeOfSmall(previous, pin);
                else edgeOfSmall(pin, previous);
            } else if (now.measured && now.tooSmall == first.tooSmall && now.tooLarge == first.tooLarge) {
                previous = pin;
                continue;
            }
            break;
        }
    }

    // Else a scan from the finest pin to the largest, looking closely where it
    // passes from too small straight to too large.
    if (!seed) {
        const double ratio = std::pow(scanned / kFinestPin, 1.0 / (kScanPoints - 1));
        double previous = 0;
        PinVerdict before;
        for (int i = 0; i < kScanPoints && !seed; ++i) {
            const double pin = kFinestPin * std::pow(ratio, i);
            const PinVerdict now = check(static_cast<float>(pin));
            if (now.Works()) {
                seed = pin;
                below = previous;
            } else if (i > 0 && before.measured && before.tooSmall && now.measured && !now.tooSmall) {
                edgeOfSmall(previous, pin);
            }
            previous = pin;
            before = now;
        }
    }
    if (!seed) return std::nullopt;

    // Each boundary closely: downwards to the first pin that fails (or the
    // finest pin), upwards likewise (or the largest).
    double smallest = kFinestPin;
    if (below > 0) smallest = Boundary(works, below, *seed);
    else if (!works(kFinestPin)) smallest = Boundary(works, kFinestPin, *seed);
    double largest = *seed;
    if (above == 0) {
        for (double pin = std::min(*seed * 1.5, cap);; pin = std::min(pin * 1.5, cap)) {
            if (!works(pin)) {
                above = pin;
                break;
            }
            largest = pin;
            if (pin >= cap) break;
        }
    }
    if (above > 0) largest = Boundary(works, above, largest);

    // The boundary lies within the tolerance below the smallest (above the
    // largest) pin found to work: a value of four decimals in that gap is
    // tried too.
    const std::optional<double> low = Settle(works, Up4(smallest - 2 * kBoundaryTolerance), 0.0001, largest);
    const std::optional<double> high = Settle(works, Down4(largest + 2 * kBoundaryTolerance), -0.0001, smallest);
    if (!low || !high || *low > *high) return std::nullopt;
    return PinRange{*low, *high};
}

std::optional<double> ProudFrom(const GearMain& last, float thickness) {
    const GearMain basis = Scratch(last);
    const bool external = basis.GearType == 1;
    const double half = (external ? basis.OutsideDiameter : basis.InsideDiameter) / 2.0;
    // measured: the involute routine found the pin; proud: it stands proud.
    struct Look {
        bool measured = false, proud = false;
    };
    auto look = [&](double pin) {
        GearMain gear = basis;
        float t = thickness, d = static_cast<float>(pin);
        int16_t type = gear.GearType;
        gear.MeasurementFromThickness(gear.NumTeeth, gear.NormalDP, gear.NormalPA, t, d, type, gear.HelixAngle);
        Look l;
        l.measured = gear.CalcFailed != -1;
        l.proud = l.measured && (external ? gear.RadialDim > half : gear.RadialDim < half);
        return l;
    };
    auto proud = [&](double pin) { return look(pin).proud; };

    // Proud pins are those from a boundary up to where the pin leaves the
    // measurable range. Find a proud pin first: upwards from the standard pin,
    // and if the range ends before one is found, just below where it ends.
    const double cap = LargestPin(basis);
    double from = std::max(static_cast<double>(StandardPin(last)), kFinestPin);
    double low = kFinestPin;
    std::optional<double> found;
    if (proud(from)) {
        found = from;
    } else {
        for (double pin = from; pin <= cap; pin *= 1.5) {
            const Look l = look(pin);
            if (l.proud) {
                found = pin;
                break;
            }
            if (!l.measured) {
                auto measured = [&](double d) { return look(d).measured; };
                const double edge = Boundary(measured, pin, low);
                if (proud(edge)) found = edge;
                break;
            }
            low = pin;
        }
    }
    if (!found) return std::nullopt;
    const double edge = proud(kFinestPin) ? kFinestPin : Boundary(proud, low, *found);
    return Settle(proud, Up4(edge - 2 * kBoundaryTolerance), 0.0001, cap);
}

MeasuringAids MeasuringAidsOf(const GearMain& last) {
    MeasuringAids aids;
    aids.internal = last.GearType != 1;
    aids.pin = last.PinDiameter;
    if (!aids.internal) aids.teethSpanned = last.TeethSpanned;

    std::vector<float> thicknesses{last.Thick1};
    if (last.Thick2 != 0) thicknesses.push_back(last.Thick2);

    const std::vector<double> seeds{last.PinDiameter, Val(last.IdealPinText), StandardPin(last)};
    for (float t : thicknesses) {
        AidsAtThickness end;
        end.thickness = t;
        end.pins = WorkingPins(PinCheckOf(last, t), seeds);
        end.proudFrom = ProudFrom(last, t);
        if (!aids.internal) {
            GearMain gear = Scratch(last);
            end.span = SpanLimitsOf(gear, t);
            if (aids.teethSpanned > 0) {
                GearMain other = Scratch(last);
                end.spanContact = SpanContactDiameter(other, t, aids.teethSpanned);
            }
            // The calculation's own for its first thickness; for the other
            // end of a band, that of a calculation at it.
            end.chordalAddendum = aids.ends.empty() ? std::optional<float>(last.ChordalAddendum)
                                                    : ChordalAddendumAt(last, t);
        }
        aids.ends.push_back(end);
    }

    // What serves every end.
    bool pinsEverywhere = true, proudEverywhere = true, spanEverywhere = !aids.internal;
    PinRange pins{0, 1e30};
    double proud = 0;
    SpanLimits span{0, 1e30f};
    for (const AidsAtThickness& end : aids.ends) {
        if (end.pins) {
            pins.smallest = std::max(pins.smallest, end.pins->smallest);
            pins.largest = std::min(pins.largest, end.pins->largest);
        } else {
            pinsEverywhere = false;
        }
        if (end.proudFrom) proud = std::max(proud, *end.proudFrom);
        else proudEverywhere = false;
        if (end.span && !end.span->None()) {
            span.fewest = std::max(span.fewest, end.span->fewest);
            span.most = std::min(span.most, end.span->most);
        } else {
            spanEverywhere = false;
        }
    }
    if (pinsEverywhere && pins.smallest <= pins.largest) aids.pins = pins;
    if (proudEverywhere) aids.proudFrom = proud;
    if (spanEverywhere && !span.None()) aids.span = span;
    return aids;
}

bool MeasuringAids::PinOutside() const { return !pins || !pins->Holds(pin); }

bool MeasuringAids::SpanOutside() const {
    return !internal && teethSpanned > 0 && (!span || !span->Allows(teethSpanned));
}

MeasuringAidsTexts TextsOf(const MeasuringAids& aids) {
    MeasuringAidsTexts texts;
    if (aids.pins) {
        texts.pinSmallest = ResultText(aids.pins->smallest, "0.0000");
        texts.pinLargest = ResultText(aids.pins->largest, "0.0000");
    }
    if (aids.proudFrom) texts.pinProudFrom = ResultText(*aids.proudFrom, "0.0000");
    if (aids.span) {
        texts.spanFewest = ResultText(aids.span->fewest, "0");
        texts.spanMost = ResultText(aids.span->most, "0");
    }
    std::vector<double> contacts;
    for (const AidsAtThickness& end : aids.ends)
        if (end.spanContact) contacts.push_back(*end.spanContact);
    if (contacts.size() == 1) texts.spanContact = ResultText(contacts[0], "0.00000");
    if (contacts.size() == 2) texts.spanContact = RangeText(contacts[0], contacts[1], "0.00000");
    std::vector<double> addenda;
    for (const AidsAtThickness& end : aids.ends)
        if (end.chordalAddendum) addenda.push_back(*end.chordalAddendum);
    if (addenda.size() == 1) texts.chordalAddendum = ResultText(addenda[0], "0.000000");
    if (addenda.size() == 2) texts.chordalAddendum = RangeText(addenda[0], addenda[1], "0.000000");
    return texts;
}

}  // namespace gearmain
