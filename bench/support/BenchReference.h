#pragma once
// Times a reference operation so that a benchmark can report its own cost as
// a multiple of it: counters "reference_ns" (per operation) and
// "x_reference" (the benchmark's time per operation divided by it).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

namespace benchref
{
using Clock = std::chrono::steady_clock;

// Nanoseconds per call of op, over enough calls to last about 20 ms.
template<typename Op>
double nanosecondsPerCall (Op&& op)
{
    int64_t calls = 0;
    const auto start = Clock::now();
    auto now = start;
    do
    {
        for (int i = 0; i < 64; ++i)
            op();
        calls += 64;
        now = Clock::now();
    } while (now - start < std::chrono::milliseconds (20));
    return std::chrono::duration<double, std::nano> (now - start).count() / (double) calls;
}

// Runs the benchmark loop over op, timing it the same way as the reference.
template<typename Op>
double runTimed (benchmark::State& state, Op&& op)
{
    int64_t calls = 0;
    const auto start = Clock::now();
    for (auto _ : state)
    {
        op();
        ++calls;
    }
    const auto elapsed = std::chrono::duration<double, std::nano> (Clock::now() - start).count();
    return calls > 0 ? elapsed / (double) calls : 0.0;
}

inline void report (benchmark::State& state, double subjectNs, double referenceNs)
{
    state.counters["reference_ns"] = referenceNs;
    state.counters["x_reference"] = referenceNs > 0.0 ? subjectNs / referenceNs : 0.0;
}
} // namespace benchref
