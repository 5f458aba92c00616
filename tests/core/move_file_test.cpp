#include "core/utils/move_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "core/runtime/runtime_error.h"
#include "platform/durable_file_testing.h"
#include "platform/registry_test_util.h"
#include "support/temp_folder.h"

namespace {

using platform::test_seams::DurableFileSteps;
using testsupport::TempFolder;
using testsupport::WriteFile;
using Names = std::vector<std::string>;

// Runs MoveFile in a child, so that injected steps end with it. Returns the runtime error number,
// 0 when the move succeeded, or -1 when the child was killed.
int MoveInChild(const std::string& from, const std::string& to, DurableFileSteps steps) {
    return registrytest::ExitCode(registrytest::Spawn([&] {
        platform::test_seams::SetDurableFileSteps(std::move(steps));
        try {
            Utils::MoveFile(from, to);
            return 0;
        } catch (const runtime::RuntimeError& error) {
            return error.Number();
        }
    }));
}

// The rename at the end of the copy fails (as onto a folder): the source stays, the card keeps
// its old file whole and nothing else is left beside it. The fault tests fill the card up.
TEST(MoveFile, AFailedMoveKeepsTheSourceAndTheOldTarget) {
    TempFolder folder;
    WriteFile(folder / "new.map", "new data");
    WriteFile(folder / "card.map", "old card data");
    const DurableFileSteps renameFails = {
        .rename = [](const char*, const char*) { return errno = EIO, -1; }};
    EXPECT_EQ(MoveInChild(folder / "new.map", folder / "card.map", renameFails),
              runtime::kPathFileAccessError);
    EXPECT_EQ(testsupport::ReadFile(folder / "new.map"), "new data");
    EXPECT_EQ(testsupport::ReadFile(folder / "card.map"), "old card data");
    EXPECT_EQ(testsupport::NamesIn(folder.Path()), (Names{"card.map", "new.map"}));
}

// A copy killed between its temporary file and the rename leaves a hidden file on the card;
// the next move of that target removes it.
TEST(MoveFile, TheNextMoveRemovesWhatAKilledCopyLeft) {
    TempFolder folder;
    WriteFile(folder / "first.map", "first");
    const DurableFileSteps killedBeforeRename = {.rename = [](const char*, const char*) {
        ::raise(SIGKILL);
        return -1;
    }};
    ASSERT_EQ(MoveInChild(folder / "first.map", folder / "card.map", killedBeforeRename), -1);
    ASSERT_EQ(testsupport::NamesIn(folder.Path()).size(), 2u);
    WriteFile(folder / "second.map", "second");
    EXPECT_EQ(MoveInChild(folder / "second.map", folder / "card.map", {}), 0);
    EXPECT_EQ(testsupport::ReadFile(folder / "card.map"), "second");
    EXPECT_EQ(testsupport::NamesIn(folder.Path()), (Names{"card.map", "first.map"}));
}

}  // namespace
