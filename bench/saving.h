#pragma once

// What the benchmarks of saves share. A user saves with the disk at rest; saving in a tight loop
// would instead time each write waiting for the previous one to reach the disk, so the files are
// flushed, untimed, before each save.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

namespace kalverin::bench {

// Each iteration of a save waits, untimed, for the disk; a fixed count keeps a repetition short.
inline constexpr benchmark::IterationCount kSaveIterations = 300;

// Flushes the files that exist among `paths` to the disk, with the benchmark's timer paused.
void SettleFiles(benchmark::State& state, const std::vector<std::filesystem::path>& paths);

// The floor of a save: each iteration writes the files' present bytes over them again, settled
// as a save is, with nothing else done.
void RewriteAsIs(benchmark::State& state, const std::vector<std::filesystem::path>& paths);

}  // namespace kalverin::bench
