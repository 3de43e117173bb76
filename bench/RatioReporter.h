#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Prints the usual table, keeps each benchmark's wall time per iteration (the
// median when it ran repeatedly), and at the end prints the ratios the store is
// held to.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // The list sizes the ratios compare: a full file, and a small one.
    static constexpr int kLarge = 32767;
    static constexpr int kSmall = 1000;

    void ReportRuns(const std::vector<Run>& runs) override;
    void printRatios() const;

private:
    // Seconds per iteration by name without the "/real_time" suffix, or < 0.
    double seconds(const std::string& name) const;

    std::map<std::string, std::vector<double>> samples_;
    std::map<std::string, double> medians_;
};
