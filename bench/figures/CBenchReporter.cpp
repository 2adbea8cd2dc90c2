#include "bench/figures/CBenchReporter.h"

#include <cstring>

CBenchReporter::CBenchReporter(CBenchFigures& figures, Keep keep) : m_figures(figures), m_keep(std::move(keep)) {}

void CBenchReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
        if (run.run_type == Run::RT_Iteration && !run.error_occurred)
            m_keep(run, m_figures);
}

std::string CBenchReporter::BaseName(const Run& run)
{
    std::string name = run.benchmark_name();
    for (const char* tail : {"/repeats:", "/min_time:", "/iterations:", "/real_time"}) {
        const size_t at = name.find(tail);
        if (at != std::string::npos)
            name.erase(at);
    }
    return name;
}

double CBenchReporter::SecondsPerIteration(const Run& run)
{
    return run.iterations > 0 ? run.real_accumulated_time / double(run.iterations) : 0.0;
}

std::vector<char*> CBenchReporter::Arguments(int argc, char** argv)
{
    static char repetitions[] = "--benchmark_repetitions=3";
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> arguments(argv, argv + argc);
    bool givenRepetitions = false, givenInterleave = false;
    for (int i = 1; i < argc; ++i) {
        givenRepetitions = givenRepetitions || std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0;
        givenInterleave = givenInterleave || std::strncmp(argv[i], "--benchmark_enable_random_interleaving", 38) == 0;
    }
    if (!givenRepetitions)
        arguments.push_back(repetitions);
    if (!givenInterleave)
        arguments.push_back(interleave);
    arguments.push_back(nullptr);
    return arguments;
}
