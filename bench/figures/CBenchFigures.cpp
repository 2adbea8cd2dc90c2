#include "bench/figures/CBenchFigures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void CBenchFigures::Add(const std::string& series, double value) { m_values[series].push_back(value); }

bool CBenchFigures::Has(const std::string& series) const
{
    const auto found = m_values.find(series);
    return found != m_values.end() && !found->second.empty();
}

CBenchFigures::Spread CBenchFigures::SpreadOf(std::vector<double> values)
{
    Spread spread;
    if (values.empty())
        return spread;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    spread.min = values.front();
    spread.max = values.back();
    spread.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    spread.runs = int(n);
    return spread;
}

CBenchFigures::Spread CBenchFigures::Of(const std::string& series) const
{
    const auto found = m_values.find(series);
    return found == m_values.end() ? Spread{} : SpreadOf(found->second);
}

CBenchFigures::Spread CBenchFigures::Ratio(const std::string& ours, const std::string& reference) const
{
    const auto a = m_values.find(ours);
    const auto b = m_values.find(reference);
    if (a == m_values.end() || b == m_values.end())
        return Spread{};
    std::vector<double> ratios;
    for (size_t i = 0; i < a->second.size() && i < b->second.size(); ++i)
        if (b->second[i] != 0)
            ratios.push_back(a->second[i] / b->second[i]);
    return SpreadOf(ratios);
}

std::string CBenchFigures::Format(const Spread& spread, const char* each)
{
    if (spread.runs == 0)
        return "(not run)";
    char buffer[160];
    const std::string pattern = std::string(each) + " / " + each + " / " + each + "  (%d runs)";
    std::snprintf(buffer, sizeof buffer, pattern.c_str(), spread.min, spread.median, spread.max, spread.runs);
    return buffer;
}

std::string CBenchFigures::Significant(double value)
{
    char buffer[64];
    // %#.3g keeps trailing zeros but switches to exponents from 1000 up.
    if (std::fabs(value) >= 1000)
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    else
        std::snprintf(buffer, sizeof buffer, "%#.3g", value);
    std::string text = buffer;
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

void CBenchFigures::PrintSeries(const std::string& label, const std::string& series, const char* each,
                                const char* unit) const
{
    std::printf("%-34s %s %s\n", label.c_str(), Format(Of(series), each).c_str(), unit);
}

void CBenchFigures::PrintColdWarm(const std::string& label, const std::string& series, const char* each,
                                  const char* unit) const
{
    const auto found = m_values.find(series);
    if (found == m_values.end() || found->second.empty()) {
        std::printf("%-34s (not run)\n", label.c_str());
        return;
    }
    const std::vector<double>& values = found->second;
    std::printf("%-34s ", (label + ", cold").c_str());
    std::printf(each, values.front());
    std::printf(" %s\n", unit);
    const std::vector<double> warm(values.begin() + 1, values.end());
    if (warm.empty())
        std::printf("%-34s (one run only)\n", (label + ", warm").c_str());
    else
        std::printf("%-34s %s %s\n", (label + ", warm").c_str(), Format(SpreadOf(warm), each).c_str(), unit);
}

void CBenchFigures::PrintRatio(const std::string& label, const std::string& ours, const std::string& reference) const
{
    const Spread spread = Ratio(ours, reference);
    if (spread.runs == 0) {
        std::printf("%-34s (not run)\n", label.c_str());
        return;
    }
    std::printf("%-34s %s / %s / %s  (min / median / max of %d paired runs)\n", label.c_str(),
                Significant(spread.min).c_str(), Significant(spread.median).c_str(), Significant(spread.max).c_str(),
                spread.runs);
}
