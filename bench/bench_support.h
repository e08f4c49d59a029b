// What the file benchmarks share: banks of full-sized images, the scratch
// folder they work in, and the table of measured times beside their
// baselines printed after the run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "store/part_image_store.h"

// A 320 x 240 part: 1078 bytes of headers and colour table and 76800 of pixels.
constexpr std::uint32_t LargestPartSize = 77878;

// Fills every slot of the bank with patterned bytes and an 8-bit header
// whose file-size field says fileSize.
void FillBank(PartBank &bank, std::uint8_t seed, std::uint32_t fileSize);

// Real time in milliseconds, median of nine repetitions: the median holds up
// better than the mean on a busy machine.
void Configure(benchmark::internal::Benchmark *benchmark);

// One line of the table: a benchmark's time beside its baseline's.
struct Comparison {
    const char *what;
    const char *measured;
    const char *baseline;
};

// Runs the benchmarks in a scratch folder made the working directory, after
// prepare (which returns false when the run cannot start), then prints the
// comparisons under the heading "<title> ms". Returns the exit code.
int RunComparisons(int argc, char **argv, const char *title, const std::vector<Comparison> &comparisons,
                   const std::function<bool()> &prepare);
