// The card folder vanishes while a run moves files onto it, at moments spread over a whole run.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/install_fixture.h"

namespace {

using testsupport::InstallTest;

constexpr int kCategories = 6;
constexpr int kRounds = 24;

// What a staged file of category K<n> holds when whole.
std::string Whole(const std::string& name) {
    const std::string shortName = name.substr(0, name.find('.'));
    const std::string extension = name.substr(name.find('.'));
    if (extension == ".map") return "data of " + shortName;
    if (extension == ".chk" || extension == ".bm") return extension.substr(1) + "\n";
    return "[" + shortName + "]\r\nactive=1\r\ndistance=50\r\ntime=0\r\nvisualWarning=1\r\n" +
           "soundWarning=1\r\n";
}

TEST_F(InstallTest, CardFolderRemovedMidRunEndsWithError76AndLeavesNothingPartial) {
    std::string list;
    for (int i = 1; i <= kCategories; ++i) {
        const std::string name = "K" + std::to_string(i);
        list += name + ";;1\r\n";
        WriteCategory(name, "data of " + name);
    }
    WriteList(list);
    WriteCompiler();
    const auto start = std::chrono::steady_clock::now();
    PressInstall();
    const auto wholeRun = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(runtime.Boxes().empty());

    int cutShort = 0;
    for (int round = 0; round < kRounds; ++round) {
        std::filesystem::remove_all(card);
        std::filesystem::create_directory(card);
        runtime.Restart();
        std::thread remover([&] {
            std::this_thread::sleep_for(wholeRun * round / kRounds);
            // At once, as when the card is pulled: a folder emptied file by file would first
            // show its files vanish, with error 53.
            std::filesystem::rename(card, root / "pulled");
            std::filesystem::remove_all(root / "pulled");
        });
        PressInstall();
        remover.join();
        if (runtime.Boxes().empty()) continue;  // the run was done before the card went
        ++cutShort;
        const std::string at = "round " + std::to_string(round);
        EXPECT_EQ(runtime.Texts(),
                  std::vector{testsupport::StandardMessage(76, "Pfad nicht gefunden")})
            << at;
        EXPECT_FALSE(std::filesystem::exists(card)) << at;
        for (const std::string& name : testsupport::NamesIn(Staging())) {
            EXPECT_EQ(testsupport::ReadFile(Staging() + name), Whole(name)) << at << " " << name;
        }
        std::filesystem::remove_all(Staging());
        std::filesystem::create_directories(Staging());
    }
    EXPECT_GT(cutShort, kRounds / 4);  // the card went mid-run often enough to mean something
}

}  // namespace
