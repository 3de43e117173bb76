#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string named(const char* op, int arg)
{
    return std::string(op) + '/' + std::to_string(arg);
}

void line(const char* what, double value, double goal, bool lowerIsBetter = true)
{
    if (value < 0) {
        std::printf("  %-44s (not run)\n", what);
        return;
    }
    const bool met = lowerIsBetter ? value <= goal : value >= goal;
    std::printf("  %-44s %6.2f   goal %s %.2f  %s\n", what, value, lowerIsBetter ? "<=" : ">=",
                goal, met ? "met" : "MISSED");
}

} // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.error_occurred || run.iterations == 0)
            continue;
        std::string name = run.benchmark_name();
        if (const auto cut = name.find("/real_time"); cut != std::string::npos)
            name.erase(cut);
        if (run.run_type == Run::RT_Iteration) {
            samples_[name].push_back(run.real_accumulated_time / double(run.iterations));
        } else if (run.aggregate_name == "median") {
            if (const auto cut = name.find("_median"); cut != std::string::npos)
                name.erase(cut);
            medians_[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

double RatioReporter::seconds(const std::string& name) const
{
    if (const auto it = medians_.find(name); it != medians_.end())
        return it->second;
    const auto it = samples_.find(name);
    if (it == samples_.end() || it->second.empty())
        return -1.0;
    std::vector<double> sorted = it->second;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
}

void RatioReporter::printRatios() const
{
    auto ratio = [](double a, double b) { return a < 0 || b <= 0 ? -1.0 : a / b; };
    const double load = seconds(named("load", kLarge));
    const double writeFloor = seconds(named("writeFloor", kLarge));
    const double writeBudget = load < 0 || writeFloor < 0 ? -1.0 : writeFloor + load;

    std::printf("\nRatios (wall time, %d reminders unless named)\n", kLarge);
    line("load / read floor", ratio(load, seconds(named("readFloor", kLarge))), 2.0);
    line("load / read floor at 1,000",
         ratio(seconds(named("load", kSmall)), seconds(named("readFloor", kSmall))), 2.0);
    for (const char* op : {"saveAll", "append", "replaceAt", "deleteAt"}) {
        const std::string what = std::string(op) + " / (write floor + load)";
        line(what.c_str(), ratio(seconds(named(op, kLarge)), writeBudget), 1.5);
    }
    // Following the file: the look before a write, and a reload from elsewhere.
    line("saveAll / the same save before the look",
         ratio(seconds(named("saveAll", kLarge)), seconds(named("saveBefore", kLarge))), 1.1);
    // Each with 100 status changes pending and a selection kept.
    line("reload, one corrected and one added / load",
         ratio(seconds(named("reload", kLarge) + "/0"), load), 1.5);
    line("reload, one added / load", ratio(seconds(named("reload", kLarge) + "/1"), load), 1.5);
    line("reload, one deleted / load", ratio(seconds(named("reload", kLarge) + "/2"), load), 1.5);
    // Linear: a row costs the same at both sizes (above 1 means large lists pay more per row).
    const double perRowLarge = ratio(load, double(kLarge));
    const double perRowSmall = ratio(seconds(named("load", kSmall)), double(kSmall));
    line("load per row, 32,767 / 1,000", ratio(perRowLarge, perRowSmall), 1.5);
    // A large list no longer fits the caches, which slows the floor per row too;
    // measured against the floor, what is left is the loader's own growth.
    const double floorPerRowLarge = ratio(seconds(named("readFloor", kLarge)), double(kLarge));
    const double floorPerRowSmall = ratio(seconds(named("readFloor", kSmall)), double(kSmall));
    line("  the same, each over its read floor",
         ratio(ratio(perRowLarge, floorPerRowLarge), ratio(perRowSmall, floorPerRowSmall)), 1.5);
    line("showFirstPage, 32,767 / 40",
         ratio(seconds(named("showFirstPage", kLarge)), seconds(named("showFirstPage", 40))),
         1.5);
    for (const char* op : {"pageTurns", "selection", "toggle"}) {
        const std::string what = std::string(op) + ", 32,767 / 40";
        line(what.c_str(), ratio(seconds(named(op, kLarge)), seconds(named(op, 40))), 1.5);
    }
    // The due check runs on the interface's thread after the first paint.
    line("dueCheck / rows floor",
         ratio(seconds(named("dueCheck", kLarge)), seconds(named("rowsFloor", kLarge))), 3.0);
}
