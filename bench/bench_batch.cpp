// A batch of gears through the command-line tool's batch path: each row is
// typed into the input screen, calculated and its pages walked.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "cli/cli.h"

namespace {

std::string MakeBatch(int rows) {
    std::string csv = "teeth,pitch,pressure-angle,helix,mode,internal,quality\n";
    for (int i = 0; i < rows; ++i) {
        int teeth = 12 + i % 150;
        int pitch = 2 + i % 30;
        const char* helix = i % 3 == 0 ? "0" : "15";
        const char* mode = i % 4 == 0 ? "thickness" : i % 4 == 1 ? "span" : "pins";
        const char* internal = i % 5 == 0 && i % 4 != 1 ? "1" : "";
        csv += std::to_string(teeth) + "," + std::to_string(pitch) + ",20," + helix + "," + mode + "," + internal +
               ",8\n";
    }
    return csv;
}

void Batch(benchmark::State& state) {
    const std::string csv = MakeBatch(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::ostringstream out;
        involvo::cli::RunBatch(csv, out);
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(Batch)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
