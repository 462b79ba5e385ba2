// involvo-cli --batch over 100,000 seeded random spur gears: 12 to 150 teeth,
// pitch 4 to 20, 14.5, 20 or 25 degrees, a tooth 0 to 3 % under the basic
// thickness, pins of 1.728/P. The batch's own code, reading the CSV from a
// stream and writing the results to one; the CSV is made before the clock
// starts.
//
// Counters: cpu_us_row is the CPU time of the whole process (every thread) a
// row; wall_s is the wall time of the whole batch. Batch/threads:1 runs on one
// thread, Batch/threads:0 on every core. BatchChecked/threads:1 is the same
// batch, each row with four readings (spread and verdict) and the measuring
// columns.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>

#include "cli/batch.h"

namespace {

constexpr int kRows = 100000;

std::string Decimals(double value, int decimals) {
    std::ostringstream s;
    s.setf(std::ios::fixed);
    s.precision(decimals);
    s << value;
    return s.str();
}

std::string MakeBatch(int rows, bool readings = false) {
    std::mt19937 rng(9);
    std::uniform_int_distribution<int> teeth(12, 150), angle(0, 2);
    std::uniform_real_distribution<double> pitch(4, 20), under(0, 0.03);
    const char* const angles[] = {"14.5", "20", "25"};
    std::string csv = readings ? "teeth,pitch,pressure-angle,value,pin,readings\n" : "teeth,pitch,pressure-angle,value,pin\n";
    for (int i = 0; i < rows; ++i) {
        const double p = std::round(pitch(rng) * 1000) / 1000;
        const double thickness = std::acos(-1.0) / (2 * p) * (1 - under(rng));
        csv += std::to_string(teeth(rng)) + "," + Decimals(p, 3) + "," + angles[angle(rng)] + "," +
               Decimals(thickness, 6) + "," + Decimals(1.728 / p, 5) +
               // Two readings, each checked as any other would be.
               (readings ? ",\"" + Decimals(0.5 * 24 / p + 2.3 / p, 4) + " " + Decimals(0.5 * 24 / p + 2.31 / p, 4) + "\"" : "") +
               "\n";
    }
    return csv;
}

// A stream that keeps nothing of what it is given, but counts it.
class Sink : public std::streambuf {
public:
    size_t count = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += static_cast<size_t>(n);
        return n;
    }
    int overflow(int c) override {
        ++count;
        return c;
    }
};

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void Run(benchmark::State& state, const std::string& csv, involvo::cli::ExtraColumns extra) {
    const unsigned threads = static_cast<unsigned>(state.range(0));
    double cpu = 0;
    size_t written = 0;
    for (auto _ : state) {
        std::istringstream in(csv);
        Sink sink;
        std::ostream out(&sink);
        const double before = ProcessCpuSeconds();
        benchmark::DoNotOptimize(involvo::cli::RunBatch(in, out, threads, extra));
        cpu += ProcessCpuSeconds() - before;
        written = sink.count;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["cpu_us_row"] = cpu / runs / kRows * 1e6;
    state.counters["bytes_out"] = static_cast<double>(written);
    state.SetItemsProcessed(state.iterations() * kRows);
}

void Batch(benchmark::State& state) {
    static const std::string csv = MakeBatch(kRows);
    Run(state, csv, {});
}

void BatchChecked(benchmark::State& state) {
    static const std::string csv = MakeBatch(kRows, true);
    Run(state, csv, {false, true});
}

BENCHMARK(Batch)->ArgName("threads")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BatchChecked)->ArgName("threads")->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
