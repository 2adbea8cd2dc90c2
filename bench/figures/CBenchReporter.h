#pragma once

#include "bench/figures/CBenchFigures.h"

#include <benchmark/benchmark.h>

#include <functional>

// Google Benchmark's console report, which also hands each finished run
// (each repetition, not the aggregates) to a function that keeps its
// figures. The runs that only size the iteration count never arrive here.
class CBenchReporter : public benchmark::ConsoleReporter
{
public:
    using Keep = std::function<void(const Run& run, CBenchFigures& figures)>;

    CBenchReporter(CBenchFigures& figures, Keep keep);
    void ReportRuns(const std::vector<Run>& runs) override;

    // The benchmark's name without its "/repeats:3" and "/min_time:..".
    static std::string BaseName(const Run& run);
    // Seconds of real time per iteration.
    static double SecondsPerIteration(const Run& run);

    // Google Benchmark's own arguments plus, unless the caller gave them,
    // at least three repetitions interleaved at random, so the runs of the
    // way under test and of its reference share the machine's busy spells.
    static std::vector<char*> Arguments(int argc, char** argv);

private:
    CBenchFigures& m_figures;
    Keep m_keep;
};
