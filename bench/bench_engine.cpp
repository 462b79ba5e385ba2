// One CalculateGear in each mode, for an external spur, a helical and an
// internal gear, with the state as the input screen leaves it; and one gear
// entered and calculated through the input screen's core, without a window.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/gearmain.h"
#include "input_screen/screen_core.h"

namespace {

using namespace gearmain;

struct Gear {
    int16_t mode, type;
    float teeth, helix;
    const char* feature;
    float value;
};

void Calculate(benchmark::State& state, Gear g) {
    GearMain gear;
    gear.StartUp();
    const CalculationInput input{g.feature, "1.00000", false};
    gear.CalcMode = g.mode;
    gear.GearType = g.type;
    gear.NumTeeth = g.teeth;
    gear.NormalDP = 10;
    gear.NormalPA = 20;
    gear.HelixAngle = g.helix;
    gear.QualityNumber = 8;
    for (auto _ : state) {
        gear.PinDiameter = g.type == 1 ? 0.1728f : 0.144f;
        gear.TeethSpanned = g.mode == 3 ? 4 : gear.PinDiameter;
        gear.Thick1 = gear.Measure1 = gear.FeatureValue = g.value;
        gear.Thick2 = gear.Measure2 = 0;
        CalculationReport report = gear.CalculateGear(input);
        benchmark::DoNotOptimize(report);
        benchmark::DoNotOptimize(gear.MeasureText);
    }
}

// A fresh screen each time: teeth and pitch left, the hints fill in the basic
// thickness and the standard pin, then Calculate with every message answered OK.
void ScreenCore(benchmark::State& state, const char* teeth, const char* helix) {
    for (auto _ : state) {
        GearMain gear;
        involvo::HintMemory memory;
        involvo::EntryTexts texts = involvo::OpeningTexts();
        involvo::ScreenCore core(gear, memory, texts);
        gear.StartUp();
        core.Open();
        texts.helix = helix;
        core.LeaveHelix();
        texts.teeth = teeth;
        core.LeaveTeeth();
        texts.pitch = "10";
        core.LeavePitch();
        texts.quality = "8";
        core.LeaveQuality();
        involvo::FirstPage page = core.Calculate([](const Notice&) { return MsgAnswer::OK; });
        benchmark::DoNotOptimize(page);
        benchmark::DoNotOptimize(gear.MeasureText);
    }
}

BENCHMARK_CAPTURE(ScreenCore, spur, "24", "0");
BENCHMARK_CAPTURE(ScreenCore, helical, "25", "30");

BENCHMARK_CAPTURE(Calculate, spur_pins, Gear{1, 1, 24, 0, "Circular Tooth Thickness", 0.15708f});
BENCHMARK_CAPTURE(Calculate, spur_thickness, Gear{2, 1, 24, 0, "Dimension Over Pins", 2.63997f});
BENCHMARK_CAPTURE(Calculate, spur_span, Gear{3, 1, 24, 0, "Circular Tooth Thickness", 0.15708f});
BENCHMARK_CAPTURE(Calculate, helical_pins, Gear{1, 1, 25, 30, "Circular Tooth Thickness", 0.15708f});
BENCHMARK_CAPTURE(Calculate, helical_thickness, Gear{2, 1, 25, 30, "Dimension Over Pins", 3.1f});
BENCHMARK_CAPTURE(Calculate, helical_span, Gear{3, 1, 25, 30, "Circular Tooth Thickness", 0.15708f});
BENCHMARK_CAPTURE(Calculate, internal_pins, Gear{1, 2, 60, 0, "Circular Space Width", 0.15708f});
BENCHMARK_CAPTURE(Calculate, internal_thickness, Gear{2, 2, 60, 0, "Dimension Between Pins", 5.6f});

}  // namespace
