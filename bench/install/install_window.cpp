// The real install run: the program's own window, offscreen, with its "Installieren" pressed on
// a prepared POI folder. Prints the processor seconds of the run alone and of the compilers it
// started, and its wall seconds.
//   install_window POI_FOLDER CARD_FOLDER NAVMAN_FOLDER SETTINGS_FOLDER
#include <stdlib.h>

#include <QApplication>
#include <cstdio>
#include <string>

#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "qt/main_window.h"
#include "qt/qt_runtime.h"
#include "support/figures.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: install_window POI CARD NAVMAN SETTINGS\n");
        return 2;
    }
    const std::string settings = argv[4];
    setenv("XDG_CONFIG_HOME", (settings + "/config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (settings + "/cache").c_str(), 1);
    setenv("HOME", settings.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    vbreg::WriteRegString(vbreg::kNavManKey, "InstallLocation", argv[3]);
    vbreg::WriteRegString(vbreg::kSettingsKey, "Path_POI", argv[1]);
    vbreg::WriteRegString(vbreg::kSettingsKey, "Path_SD", argv[2]);

    QApplication application(argc, argv);
    qtfront::QtRuntime runtime;
    int boxes = 0;
    // The run ends the program; answered this way, that end returns here to be measured.
    runtime.AnswerBoxesWith([&](const runtime::ShownBox&) {
        ++boxes;
        return static_cast<int>(runtime::vbYes);
    });
    qtfront::MainWindow window;
    runtime.SetBoxParent(&window);
    window.Load();
    window.show();
    QApplication::processEvents();

    const double cpu = bench::CpuSeconds();
    const double childCpu = bench::ChildCpuSeconds();
    const double wall = bench::MonotonicSeconds();
    window.cmd_Start()->click();
    std::printf("%.6f %.6f %.6f\n", bench::CpuSeconds() - cpu, bench::ChildCpuSeconds() - childCpu,
                bench::MonotonicSeconds() - wall);
    return runtime.Ended() && boxes == 0 ? 0 : 1;
}
