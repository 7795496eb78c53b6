#pragma once
// Every figure is read beside the cost of one full-screen memcpy of the same size,
// measured in the same run (BM_FullScreenMemcpy).
#include <benchmark/benchmark.h>

// Registers a benchmark at 1920x1080 and 3840x2160: state.range(0) x state.range(1).
#define RAVO_SCREEN_SIZES(bm) bm->Args({1920, 1080})->Args({3840, 2160})
