// The floor of any whole-picture operation: one memcpy of a full 32-bit screen.
#include "Screens.h"

#include <cstdint>
#include <cstring>
#include <vector>

static void BM_FullScreenMemcpy(benchmark::State& state) {
    const std::size_t bytes = std::size_t(state.range(0)) * std::size_t(state.range(1)) * 4;
    std::vector<std::uint8_t> src(bytes, 1), dst(bytes, 0);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_FullScreenMemcpy))->Unit(benchmark::kMillisecond);
