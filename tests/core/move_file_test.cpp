#include "core/utils/move_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "core/runtime/runtime_error.h"
#include "support/temp_folder.h"

namespace {

using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

// Runs MoveFile in a child whose files may not grow beyond `limit` bytes, so the copy fails
// part-way even for root. Returns the runtime error number, or 0 when the move succeeded.
int MoveWithFileSizeLimit(const std::string& from, const std::string& to, rlim_t limit) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        try {
            Utils::MoveFile(from, to);
            ::_exit(0);
        } catch (const runtime::RuntimeError& error) {
            ::_exit(error.Number());
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MoveFile, ACardThatFillsUpKeepsItsOldFileAndNoPartialOne) {
    TempFolder folder;
    WriteFile(folder / "new.map", std::string(64 * 1024, 'n'));
    WriteFile(folder / "card.map", "old card data");
    EXPECT_EQ(MoveWithFileSizeLimit(folder / "new.map", folder / "card.map", 4096),
              runtime::kDiskFull);
    EXPECT_EQ(ReadFile(folder / "card.map"), "old card data");
    EXPECT_TRUE(testsupport::FileExists(folder / "new.map"));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 2u);
}

}  // namespace
