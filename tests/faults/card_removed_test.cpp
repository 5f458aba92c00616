// The card folder vanishes while a run moves files onto it, at moments spread over a whole run.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "support/install_fixture.h"

namespace {

using testsupport::InstallTest;
using testsupport::NamesIn;
using testsupport::ReadFile;
using namespace std::string_literals;

TEST_F(InstallTest, CardFolderRemovedMidRunEndsWithError76AndLeavesNothingPartial) {
    constexpr int kRounds = 24;
    std::string list;
    for (const char* name : {"K1", "K2", "K3", "K4", "K5", "K6"}) {
        list += name + ";;1\r\n"s;
        WriteCategory(name, "data of "s + name);
    }
    WriteList(list);
    WriteCompiler();
    const auto start = std::chrono::steady_clock::now();
    PressInstall();
    const auto wholeRun = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(runtime.Boxes().empty());
    std::map<std::string, std::string> whole;  // each file as the uncut run left it on the card
    for (const std::string& name : NamesIn(card)) whole[name] = ReadFile(card + name);

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
        for (const std::string& name : NamesIn(Staging())) {
            EXPECT_EQ(ReadFile(Staging() + name), whole[name]) << at << " " << name;
        }
        std::filesystem::remove_all(Staging());
        std::filesystem::create_directories(Staging());
    }
    EXPECT_GT(cutShort, kRounds / 4);  // the card went mid-run often enough to mean something
}

}  // namespace
