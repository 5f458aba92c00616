#include "core/utils/move_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <vector>

#include "core/runtime/runtime_error.h"
#include "platform/durable_file_testing.h"
#include "platform/registry_test_util.h"
#include "support/temp_folder.h"

namespace {

using platform::test_seams::DurableFileSteps;
using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

// Runs MoveFile in a child, so that a file size limit and injected steps end with it. Returns
// the runtime error number, 0 when the move succeeded, or -1 when the child was killed.
int MoveInChild(const std::string& from, const std::string& to, rlim_t sizeLimit,
                DurableFileSteps steps) {
    return registrytest::ExitCode(registrytest::Spawn([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{sizeLimit, sizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        platform::test_seams::SetDurableFileSteps(std::move(steps));
        try {
            Utils::MoveFile(from, to);
            return 0;
        } catch (const runtime::RuntimeError& error) {
            return error.Number();
        }
    }));
}

std::string ContentOf(const std::string& path) {
    return testsupport::FileExists(path) ? ReadFile(path) : "(missing)";
}

std::vector<std::string> HiddenNamesIn(const std::string& folder) {
    std::vector<std::string> hidden;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename();
        if (name.starts_with('.')) hidden.push_back(name);
    }
    return hidden;
}

int FailWithIoError() {
    errno = EIO;
    return -1;
}

struct FailedMove {
    const char* name;
    rlim_t sizeLimit = RLIM_INFINITY;
    DurableFileSteps steps = {};
    bool targetIsFolder = false;
    int error = runtime::kPathFileAccessError;
};

// Whatever step fails, the source stays, the card keeps its old file whole and nothing hidden
// is left beside it.
TEST(MoveFile, AFailedMoveKeepsTheSourceAndTheOldTarget) {
    // clang-format off
    const FailedMove rows[] = {
        {.name = "card fills up", .sizeLimit = 4096, .error = runtime::kDiskFull},
        {.name = "target is a folder", .targetIsFolder = true},
        {.name = "flush fails", .steps = {.flush = [](int) { return FailWithIoError(); }}},
        {.name = "close fails", .steps = {.close = [](int f) { return ::close(f), FailWithIoError(); }}},
        {.name = "rename fails", .steps = {.rename = [](auto, auto) { return FailWithIoError(); }}},
    };
    // clang-format on
    for (const FailedMove& row : rows) {
        TempFolder folder;
        const std::string source = folder / "new.map";
        const std::string target = folder / "card.map";
        WriteFile(source, std::string(64 * 1024, 'n'));
        if (row.targetIsFolder) {
            std::filesystem::create_directory(target);
        } else {
            WriteFile(target, "old card data");
        }
        EXPECT_EQ(MoveInChild(source, target, row.sizeLimit, row.steps), row.error) << row.name;
        EXPECT_EQ(ContentOf(source), std::string(64 * 1024, 'n')) << row.name;
        if (row.targetIsFolder) {
            EXPECT_TRUE(std::filesystem::is_directory(target)) << row.name;
        } else {
            EXPECT_EQ(ContentOf(target), "old card data") << row.name;
        }
        EXPECT_EQ(HiddenNamesIn(folder.Path()), std::vector<std::string>{}) << row.name;
    }
}

// A copy killed between its temporary file and the rename leaves a hidden file on the card;
// the next move of that target removes it.
TEST(MoveFile, TheNextMoveRemovesWhatAKilledCopyLeft) {
    TempFolder folder;
    const std::string target = folder / "card.map";
    WriteFile(folder / "first.map", "first");
    const DurableFileSteps killedBeforeRename = {.rename = [](const char*, const char*) {
        ::raise(SIGKILL);
        return -1;
    }};
    ASSERT_EQ(MoveInChild(folder / "first.map", target, RLIM_INFINITY, killedBeforeRename), -1);
    ASSERT_EQ(HiddenNamesIn(folder.Path()).size(), 1u);
    WriteFile(folder / "second.map", "second");
    EXPECT_EQ(MoveInChild(folder / "second.map", target, RLIM_INFINITY, {}), 0);
    EXPECT_EQ(ContentOf(target), "second");
    EXPECT_EQ(HiddenNamesIn(folder.Path()), std::vector<std::string>{});
}

}  // namespace
