#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <string>

#include "platform/platform.h"
#include "support/temp_folder.h"

namespace {

// Were a shell involved, one of these arguments would create the marker. The child also gets
// no terminal input to block on.
TEST(StartCommandLine, RunsOnlyTheQuotedProgramWithPlainTextArguments) {
    testsupport::TempFolder folder;
    ASSERT_EQ(mkdir((folder / "nav man").c_str(), 0755), 0);
    const std::string program = folder / "nav man/prog", out = folder / "out", m = folder / "m";
    testsupport::WriteFile(program, "#!/bin/sh\nprintf '[%s]' \"$@\" > '" + out +
                                        "'\nreadlink /proc/$$/fd/0 >> '" + out + "'\n");
    chmod(program.c_str(), 0755);
    std::string line = "\"" + program + "\" \"two words\"", expected = "[two words]";
    for (const std::string word :
         {";touch", "$(touch", ")", "`touch", "`", "|", "touch", ">", "&&"})
        line += " " + word + " " + m, expected += "[" + word + "][" + m + "]";
    std::int32_t pid = 0;
    ASSERT_EQ(platform::StartCommandLine(line, 0, &pid), 0);
    ASSERT_EQ(waitpid(pid, nullptr, 0), pid);
    EXPECT_EQ(testsupport::ReadFile(out), expected + "/dev/null\n");
    EXPECT_FALSE(testsupport::FileExists(m));
}

}  // namespace
