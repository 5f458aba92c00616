// The install run against its floor, on 10, 100 and 1000 categories: processor and wall time
// per category, alternating runs of both in the same invocation, medians and ranges.
//   install_bench [SIZE...]
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/figures.h"

namespace fs = std::filesystem;

namespace {

// Milliseconds per category.
struct Figures {
    std::vector<double> cpu;        // the program's own
    std::vector<double> withChild;  // the program's and its compilers'
    std::vector<double> wall;
};

std::string MakeTemporaryRoot() {
    std::string pattern = (fs::exists("/dev/shm") ? "/dev/shm" : "/tmp");
    pattern += "/marquill-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    return pattern;
}

// N categories with a small data file and icon each, as a user's POI folder holds them.
void WritePoiFolder(const std::string& poi, int categories) {
    fs::create_directories(poi);
    std::ofstream list(poi + "/MARQUILL.CSV", std::ios::binary);
    for (int i = 1; i <= categories; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d", i);
        list << "Kategorie " << name << ";K" << name << ";1;3;X;0\r\n";
        std::ofstream(poi + "/Kategorie " + name + ".csv", std::ios::binary)
            << std::string(40, 'x') << "8.1,50.1,Ort " << name << "\r\n";
        std::ofstream(poi + "/Kategorie " + name + ".bmp", std::ios::binary)
            << "BM" << std::string(120, '\0');
    }
}

void Fresh(const std::string& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
}

void Record(const bench::ChildRun& run, const std::string& card, int categories, Figures* figures) {
    double cpu = 0, childCpu = 0, wall = 0;
    std::istringstream(run.output) >> cpu >> childCpu >> wall;
    const auto onCard = std::distance(fs::directory_iterator(card), fs::directory_iterator());
    if (run.status != 0 || onCard != 4 * categories || wall <= 0) {
        std::fprintf(stderr, "a run failed: status %d, %ld files on the card\n", run.status,
                     static_cast<long>(onCard));
        std::exit(1);
    }
    figures->cpu.push_back(1000 * cpu / categories);
    figures->withChild.push_back(1000 * (cpu + childCpu) / categories);
    figures->wall.push_back(1000 * wall / categories);
}

void Report(const char* what, const std::vector<double>& run, const std::vector<double>& floor) {
    const auto runSpread = bench::SpreadOf(run), floorSpread = bench::SpreadOf(floor);
    std::printf("  %-20s run %-26s floor %-26s %6.2fx\n", what, bench::Shown(runSpread, 3).c_str(),
                bench::Shown(floorSpread, 3).c_str(), runSpread.median / floorSpread.median);
}

int RunsFor(int categories) {
    return categories <= 10 ? 9 : (categories <= 100 ? 7 : 3);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {10, 100, 1000};

    std::printf("load average %s; milliseconds per category, median (range)\n",
                bench::LoadAverage().c_str());
    std::map<int, double> runCpu, floorCpu;
    for (const int categories : sizes) {
        const std::string root = MakeTemporaryRoot();
        const std::string poi = root + "/poi", card = root + "/card", navman = root + "/navman";
        WritePoiFolder(poi, categories);
        fs::create_directories(navman);
        fs::copy_file(BENCH_COMPILER, navman + "/poicompiler");

        Figures run, floor;
        const int runs = RunsFor(categories);
        for (int r = 0; r < runs; ++r) {
            // Alternating which goes first, so that a change in the machine's load hits both.
            for (int k = 0; k < 2; ++k) {
                Fresh(card);
                Fresh(root + "/settings");
                if ((r + k) % 2 == 0) {
                    Record(bench::RunChild(
                               {INSTALL_WINDOW, poi + "/", card + "/", navman, root + "/settings"}),
                           card, categories, &run);
                } else {
                    Record(bench::RunChild({INSTALL_FLOOR, poi, card, navman + "/poicompiler",
                                            root + "/settings"}),
                           card, categories, &floor);
                }
            }
        }
        fs::remove_all(root);

        std::printf("%d categories, %d runs each\n", categories, runs);
        Report("CPU, program", run.cpu, floor.cpu);
        Report("CPU, with compilers", run.withChild, floor.withChild);
        Report("wall", run.wall, floor.wall);
        runCpu[categories] = bench::SpreadOf(run.cpu).median;
        floorCpu[categories] = bench::SpreadOf(floor.cpu).median;
        std::fflush(stdout);
    }
    if (runCpu.count(100) && runCpu.count(1000)) {
        std::printf("program CPU per category at 1000 against 100: run %+.1f %%, floor %+.1f %%\n",
                    100 * (runCpu[1000] / runCpu[100] - 1),
                    100 * (floorCpu[1000] / floorCpu[100] - 1));
    }
    return 0;
}
