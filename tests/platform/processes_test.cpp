// Child processes on Linux: the start without a shell.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/platform.h"
#include "platform/registry_test_util.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;

// Were a shell involved, one of these arguments would create the marker. The child also gets
// no terminal input to block on.
TEST(StartCommandLine, RunsOnlyTheQuotedProgramWithPlainTextArguments) {
    testsupport::TempFolder folder;
    ASSERT_TRUE(testsupport::MakeFolder(folder / "nav man"));
    const std::string program = folder / "nav man/prog", out = folder / "out", m = folder / "m";
    testsupport::WriteFile(program, "#!/bin/sh\nprintf '[%s]' \"$@\" > '" + out +
                                        "'\nreadlink /proc/$$/fd/0 >> '" + out + "'\n");
    chmod(program.c_str(), 0755);
    std::string line = "\"" + program + "\" \"two words\"", expected = "[two words]";
    for (const std::string word : {";touch", "$(touch", "`touch", "|", ">", "&&"})
        line += " " + word + " " + m, expected += "[" + word + "][" + m + "]";
    std::int32_t pid = 0;
    ASSERT_EQ(StartCommandLine(line, 0, &pid), 0);
    ASSERT_EQ(registrytest::ExitCode(pid), 0);
    EXPECT_EQ(testsupport::ReadFile(out), expected + "/dev/null\n");
    EXPECT_FALSE(testsupport::FileExists(m));
}

}  // namespace
