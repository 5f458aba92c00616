// Faults the program must survive without losing or corrupting anything: writers killed at
// random moments, writers at the same time, a card that fills up at every level, a card pulled
// while a run moves files onto it.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/runtime/runtime_error.h"
#include "core/utils/move_file.h"
#include "platform/registry_test_util.h"
#include "support/install_fixture.h"
#include "support/test_environment.h"

namespace {

using namespace registrytest;
using testsupport::InstallTest;
using testsupport::NamesIn;
using testsupport::ReadFile;

using Faults = testsupport::IsolatedTest;

TEST_F(Faults, AHiveWriterKilledAtRandomMomentsLeavesTheOldOrTheNewValue) {
    const std::string values[] = {std::string(1500, 'a'), std::string(3000, 'b')};
    ASSERT_EQ(StoreText("K", "v", values[0]), ERROR_SUCCESS);
    std::mt19937 random(20240601);
    for (int round = 0; round < 200; ++round) {
        const pid_t writer = Spawn([&]() -> int {
            for (int i = 0;; ++i) StoreText("K", "v", values[(i + 1) % 2]);
        });
        usleep(random() % 25'000);
        kill(writer, SIGKILL);
        ExitCode(writer);
        EXPECT_EQ(platform::SettingsFileProblem(), "") << "corrupt after round " << round;
        const auto value = Query("K", "v");
        EXPECT_TRUE(value == Text(values[0]) || value == Text(values[1])) << "lost: " << round;
    }
}

TEST_F(Faults, TwoWritersAtTheSameTimeKeepEachOthersValues) {
    auto writeMany = [](const std::string& name) {
        return Spawn([name] {
            for (int i = 0; i < 200; ++i)
                if (StoreText("K", name, name + std::to_string(i)) != ERROR_SUCCESS) return 1;
            return 0;
        });
    };
    const pid_t a = writeMany("a");
    EXPECT_EQ(ExitCode(writeMany("b")), 0);
    EXPECT_EQ(ExitCode(a), 0);
    EXPECT_EQ(Query("K", "a"), Text("a199"));
    EXPECT_EQ(Query("K", "b"), Text("b199"));
}

// At every fill level a move onto an old file either lands whole or fails with "Datenträger
// voll" and changes nothing: no partial or hidden file is left. The card is a 64 KiB tmpfs in a
// mount namespace of this process's own, so that the mount ends with it; what fills it lies
// beside the card folder.
TEST_F(Faults, AtEveryFillLevelAMoveLandsWholeOrChangesNothing) {
    const std::string tmpfs = CacheHome() + "/sd", card = tmpfs + "/card";
    const std::string source = CacheHome() + "/new.map";
    std::filesystem::create_directory(tmpfs);
    if (unshare(CLONE_NEWNS) != 0 ||
        mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", tmpfs.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    std::filesystem::create_directory(card);
    const std::string oldData(6000, 'o'), newData(20000, 'n');
    int landed = 0, refused = 0;
    for (std::size_t fill = 0; fill <= 64 * 1024; fill += 1024) {
        for (const auto& entry : std::filesystem::directory_iterator(card)) remove(entry.path());
        testsupport::WriteFile(card + "/BLITZ.map", oldData);
        std::ofstream(tmpfs + "/filler", std::ios::binary) << std::string(fill, 'f');  // what fits
        testsupport::WriteFile(source, newData);
        int error = 0;
        try {
            Utils::MoveFile(source, card + "/BLITZ.map");
        } catch (const runtime::RuntimeError& e) {
            error = e.Number();
        }
        SCOPED_TRACE("fill " + std::to_string(fill));
        EXPECT_EQ(NamesIn(card), std::vector<std::string>{"BLITZ.map"});  // hidden names too
        EXPECT_EQ(ReadFile(card + "/BLITZ.map"), error == 0 ? newData : oldData);
        EXPECT_EQ(testsupport::FileExists(source), error != 0);
        EXPECT_TRUE(error == 0 || error == runtime::kDiskFull) << error;
        (error == 0 ? landed : refused)++;
    }
    umount(tmpfs.c_str());
    EXPECT_GT(landed, 0);
    EXPECT_GT(refused, 0);
}

// The card folder vanishes at moments spread over a whole run.
TEST_F(InstallTest, CardFolderRemovedMidRunEndsWithError76AndLeavesNothingPartial) {
    constexpr int kRounds = 24;
    std::string list;
    for (const char* name : {"K1", "K2", "K3", "K4", "K5", "K6"}) {
        list += std::string(name) + ";;1\r\n";
        WriteCategory(name, std::string("data of ") + name);
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
        testsupport::ScriptedRuntime roundRuntime;  // the program started afresh
        std::thread remover([&] {
            std::this_thread::sleep_for(wholeRun * round / kRounds);
            // At once, as when the card is pulled: a folder emptied file by file would first
            // show its files vanish, with error 53.
            std::filesystem::rename(card, root / "pulled");
            std::filesystem::remove_all(root / "pulled");
        });
        PressInstall();
        remover.join();
        if (roundRuntime.Boxes().empty()) continue;  // the run was done before the card went
        ++cutShort;
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(roundRuntime.Texts(),
                  std::vector{testsupport::StandardMessage(76, "Pfad nicht gefunden")});
        EXPECT_FALSE(std::filesystem::exists(card));
        for (const std::string& name : NamesIn(Staging()))  // earlier rounds' files are whole too
            EXPECT_EQ(ReadFile(Staging() + name), whole[name]) << name;
    }
    EXPECT_GT(cutShort, kRounds / 4);  // the card went mid-run often enough to mean something
}

}  // namespace
