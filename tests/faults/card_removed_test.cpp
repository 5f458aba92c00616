// The card folder vanishes while a run moves files onto it, at moments spread over a whole run.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "core/main/main_form.h"
#include "core/runtime/event_handler.h"
#include "support/install_fixture.h"

namespace {

using testsupport::InstallTest;
using testsupport::ReadFile;

constexpr int kCategories = 6;
constexpr int kRounds = 24;

// What each staged file must hold if it is still there: whole, never cut short.
std::string Expected(const std::string& name) {
    const std::string shortName = name.substr(0, name.find('.'));
    const std::string extension = name.substr(name.find('.'));
    if (extension == ".map") return "data of " + shortName;
    if (extension == ".chk") return "chk\n";
    if (extension == ".bm") return "bm\n";
    return "[" + shortName + "]\r\nactive=1\r\ndistance=50\r\ntime=0\r\nvisualWarning=1\r\n" +
           "soundWarning=1\r\n";
}

TEST_F(InstallTest, CardFolderRemovedMidRunEndsWithError76AndLeavesNothingPartial) {
    std::string list;
    for (int i = 1; i <= kCategories; ++i) {
        const std::string name = "K" + std::to_string(i);
        list += name + ";;1\r\n";
        WriteCategory(name, ".csv", "data of " + name);
    }
    WriteList(list);
    WriteCompiler();

    const auto start = std::chrono::steady_clock::now();
    runtime::RunEventHandler(Main::cmd_Start_Click);
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
        runtime::RunEventHandler(Main::cmd_Start_Click);
        remover.join();

        if (runtime.Boxes().empty()) continue;  // the run was done before the card went
        ++cutShort;
        EXPECT_EQ(runtime.Boxes().size(), 1u) << "round " << round;
        EXPECT_EQ(runtime.Boxes()[0].text, "Laufzeitfehler '76':\r\n\r\nPfad nicht gefunden")
            << "round " << round;
        EXPECT_FALSE(std::filesystem::exists(card)) << "round " << round;
        for (const auto& entry : std::filesystem::directory_iterator(Staging())) {
            const std::string name = entry.path().filename().string();
            EXPECT_EQ(ReadFile(entry.path().string()), Expected(name)) << "round " << round;
        }
        std::filesystem::remove_all(Staging());
        std::filesystem::create_directories(Staging());
    }
    EXPECT_GT(cutShort, kRounds / 4);  // the card went mid-run often enough to mean something
}

}  // namespace
