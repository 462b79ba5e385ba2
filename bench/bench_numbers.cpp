// The number reader, the mask writer and the plain writer, on values and texts
// such as a calculation meets: thicknesses, diameters and pins from about 1e-4
// to 1e3 inches, a few tooth counts and angles, and the odd large or tiny one.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/numbers.h"

namespace {

using namespace gearmain;

constexpr size_t kCount = 4096;  // a power of two: the index wraps with a mask

const std::vector<double>& Values() {
    static const std::vector<double> values = [] {
        std::mt19937_64 random(20240611);
        std::uniform_real_distribution<double> exponent(-4.0, 3.0);
        std::vector<double> v;
        for (size_t i = 0; i < kCount; ++i) {
            double x = std::pow(10.0, exponent(random));
            if (i % 8 == 0) x = static_cast<float>(x);  // a Single widened, as most results are
            if (i % 16 == 1) x = static_cast<double>(12 + i % 139);  // tooth counts
            if (i % 32 == 2) x = -x;
            v.push_back(x);
        }
        return v;
    }();
    return values;
}

const std::vector<float>& Singles() {
    static const std::vector<float> singles = [] {
        std::vector<float> s;
        for (double x : Values()) s.push_back(static_cast<float>(x));
        return s;
    }();
    return singles;
}

// Texts as the entries and the hints hold them: mask texts, short entries,
// an entry with blanks around it.
const std::vector<std::string>& Texts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> t;
        const char* masks[] = {"0.000000", "0.00000", "0.0000", "0"};
        for (size_t i = 0; i < kCount; ++i) {
            const double x = Values()[i];
            if (i % 8 == 3) t.push_back(std::to_string(12 + i % 139));
            else if (i % 16 == 5) t.push_back(" " + Format(x, "0.0000") + " ");
            else t.push_back(Format(x, masks[i % 4]));
        }
        return t;
    }();
    return texts;
}

void FormatMask(benchmark::State& state, const char* mask) {
    const std::vector<double>& values = Values();
    size_t i = 0;
    for (auto _ : state) {
        std::string s = Format(values[i++ & (kCount - 1)], mask);
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK_CAPTURE(FormatMask, mask_0, "0");
BENCHMARK_CAPTURE(FormatMask, mask_0_0000, "0.0000");
BENCHMARK_CAPTURE(FormatMask, mask_0_00000, "0.00000");
BENCHMARK_CAPTURE(FormatMask, mask_0_000000, "0.000000");

// The pattern of the engine's own rounding: a Single written with six decimals
// and read back.
void FormatThenVal(benchmark::State& state) {
    const std::vector<float>& singles = Singles();
    size_t i = 0;
    for (auto _ : state) {
        double v = Val(Format(singles[i++ & (kCount - 1)], "0.000000"));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(FormatThenVal);

void RoundToMaskSingle(benchmark::State& state) {
    const std::vector<float>& singles = Singles();
    size_t i = 0;
    for (auto _ : state) {
        double v = RoundToMask(singles[i++ & (kCount - 1)], "0.000000");
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(RoundToMaskSingle);

void ValText(benchmark::State& state) {
    const std::vector<std::string>& texts = Texts();
    size_t i = 0;
    for (auto _ : state) {
        double v = Val(texts[i++ & (kCount - 1)]);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(ValText);

void StrSingle(benchmark::State& state) {
    const std::vector<float>& singles = Singles();
    size_t i = 0;
    for (auto _ : state) {
        std::string s = Str(singles[i++ & (kCount - 1)]);
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(StrSingle);

void RangeOfTwo(benchmark::State& state) {
    const std::vector<double>& values = Values();
    size_t i = 0;
    for (auto _ : state) {
        std::string s = RangeText(values[i & (kCount - 1)], values[(i + 1) & (kCount - 1)]);
        ++i;
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(RangeOfTwo);

}  // namespace
