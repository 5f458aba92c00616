#pragma once
// What every benchmark measures and how it reports: processor and wall time of this process,
// programs run as children with their output read back, and medians with their ranges.

#include <string>
#include <vector>

namespace bench {

double CpuSeconds();        // this process, user + system
double ChildCpuSeconds();   // its ended and reaped children, user + system
double MonotonicSeconds();  // CLOCK_MONOTONIC

struct ChildRun {
    std::string output;      // the child's standard output
    double maxRssMegabytes;  // the child's peak resident set
    int status;              // as from waitpid
};
// Runs the program with its arguments and waits for it.
ChildRun RunChild(const std::vector<std::string>& argv);

struct Spread {
    double median;
    double min;
    double max;
};
Spread SpreadOf(std::vector<double> values);
// "1.23 (1.10 to 1.40)" with the given printf precision.
std::string Shown(const Spread& spread, int decimals);

// The machine's load average over the last minute, for the record.
std::string LoadAverage();

}  // namespace bench
