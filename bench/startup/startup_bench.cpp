// Start to first paint and peak memory of the program's window against a minimal Qt window,
// alternating runs in the same invocation, offscreen, medians and ranges.
//   startup_bench [RUNS]
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/figures.h"

namespace {

struct Figures {
    std::vector<double> paintMs;
    std::vector<double> rssMb;
};

void Measure(const char* program, Figures* figures) {
    const double started = bench::MonotonicSeconds();
    const bench::ChildRun run = bench::RunChild({program});
    const double painted = std::atof(run.output.c_str());
    if (run.status != 0 || painted <= started) {
        std::fprintf(stderr, "%s did not paint\n", program);
        std::exit(1);
    }
    figures->paintMs.push_back(1000 * (painted - started));
    figures->rssMb.push_back(run.maxRssMegabytes);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    // Settings of its own: the program reads its registry at start.
    std::string home = "/tmp/marquill-startup-XXXXXX";
    if (mkdtemp(home.data()) == nullptr) return 1;
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
    setenv("HOME", home.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    Figures window, minimal;
    for (int r = 0; r < runs; ++r) {
        if (r % 2 == 0) Measure(STARTUP_WINDOW, &window);
        Measure(STARTUP_MINIMAL, &minimal);
        if (r % 2 == 1) Measure(STARTUP_WINDOW, &window);
    }
    std::filesystem::remove_all(home);

    const auto paint = bench::SpreadOf(window.paintMs),
               paintBase = bench::SpreadOf(minimal.paintMs);
    const auto rss = bench::SpreadOf(window.rssMb), rssBase = bench::SpreadOf(minimal.rssMb);
    std::printf("load average %s, %d runs each\n", bench::LoadAverage().c_str(), runs);
    std::printf("%-16s | %-28s | %-28s\n", "", "start to first paint, ms", "peak RSS, MB");
    std::printf("%-16s | %-28s | %-28s\n", "Marquill window", bench::Shown(paint, 1).c_str(),
                bench::Shown(rss, 1).c_str());
    std::printf("%-16s | %-28s | %-28s\n", "minimal window", bench::Shown(paintBase, 1).c_str(),
                bench::Shown(rssBase, 1).c_str());
    std::printf("ratio: first paint %.2fx, peak RSS %.2fx\n", paint.median / paintBase.median,
                rss.median / rssBase.median);
    return 0;
}
