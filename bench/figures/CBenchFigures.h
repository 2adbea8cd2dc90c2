#pragma once

#include <map>
#include <string>
#include <vector>

// The figures of a benchmark's runs, by series ("import rows/s", ...):
// each run adds one figure, and what is printed is the spread of the runs
// (min, median, max), never one lucky or unlucky run. A ratio pairs the
// runs of two series made side by side, run by run, so a machine that is
// busier during one run than the next moves both of its figures.
class CBenchFigures
{
public:
    struct Spread
    {
        double min = 0;
        double median = 0;
        double max = 0;
        int runs = 0;
    };

    void Add(const std::string& series, double value);
    bool Has(const std::string& series) const;
    Spread Of(const std::string& series) const;
    // ours[i] / reference[i] for each run both have.
    Spread Ratio(const std::string& ours, const std::string& reference) const;

    // "min / median / max (n runs)" with the given printf format for each.
    static std::string Format(const Spread& spread, const char* each);
    // Three significant figures, trailing zeros kept: 0.00660, 1.90, 412.
    static std::string Significant(double value);

    // One line: label, the spread with unit.
    void PrintSeries(const std::string& label, const std::string& series, const char* each,
                     const char* unit) const;
    // Two lines: the series' first run in the process (cold: files,
    // statements and engines met for the first time) and the spread of the
    // runs after it (warm).
    void PrintColdWarm(const std::string& label, const std::string& series, const char* each,
                       const char* unit) const;
    // One line: label, ours : reference as min / median / max.
    void PrintRatio(const std::string& label, const std::string& ours, const std::string& reference) const;

    static Spread SpreadOf(std::vector<double> values);

private:
    std::map<std::string, std::vector<double>> m_values;
};
