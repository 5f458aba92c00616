#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#include "core/vbreg/registry_keys.h"
#include "core/vbreg/registry_strings.h"
#include "platform/durable_file_testing.h"
#include "platform/registry_test_util.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

namespace {

const char* const kSettingsKey = "SOFTWARE\\Tarvo\\Marquill\\";

class RegistryStrings : public testsupport::IsolatedTest {
protected:
    std::string Read(const std::string& key, const std::string& name) {
        flag_ = 7;  // every read must set the flag
        return vbreg::ReadRegString(vbreg::HKEY_LOCAL_MACHINE, key, name, flag_);
    }

    testsupport::ScriptedRuntime runtime_;
    std::int16_t flag_ = 0;
};

// The stored size is taken to end with one NUL; 254 bytes fit the buffer, longer reads fail.
// Only a runtime error shows a box, a plain one, and the program goes on. A missing value, as at
// the first start, reads empty and creates nothing.
TEST_F(RegistryStrings, ReadsWhatFitsTheBufferWithoutItsLastByte) {
    const std::string x254(254, 'x');
    // clang-format off
    struct Row { const char* name; std::optional<std::string> stored; std::string read;
                 std::int16_t flag = 0; };
    const Row rows[] = {
        {.name = "missing",     .stored = std::nullopt,      .read = ""},  // first: nothing stored
        {.name = "254 bytes",   .stored = x254 + '\0',       .read = x254},
        {.name = "255 bytes",   .stored = x254 + "x" + '\0', .read = ""},
        {.name = "without NUL", .stored = "abc",             .read = "ab"},
        {.name = "size 0",      .stored = "",                .read = "", .flag = 1},
    };
    // clang-format on
    for (const Row& row : rows) {
        const std::size_t boxes = runtime_.Boxes().size();
        if (row.stored)
            registrytest::Store(kSettingsKey, "Path_POI", platform::REG_SZ, *row.stored);
        EXPECT_EQ(Read(kSettingsKey, "Path_POI"), row.read) << row.name;
        EXPECT_EQ(flag_, row.flag) << row.name;
        EXPECT_EQ(runtime_.Boxes().size(), boxes + row.flag) << row.name;
        EXPECT_EQ(std::filesystem::exists(ConfigHome() + "/marquill"), row.stored.has_value())
            << row.name;
    }
    ASSERT_EQ(runtime_.Texts(), std::vector<std::string>{"Ungültiges Argument"});
    EXPECT_EQ(runtime_.Boxes()[0].style, runtime::vbOKOnly);
}

// The new file is written but cannot be flushed to the disk: the old value must stay.
TEST_F(RegistryStrings, AWriteRefusedBySystemKeepsTheOldValue) {
    ASSERT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/alt/"), 0);
    platform::test_seams::SetDurableFileSteps({.flush = [](int) { return errno = EIO, -1; }});
    vbreg::WriteRegString(kSettingsKey, "Path_POI", "/neu/laenger/");
    platform::test_seams::SetDurableFileSteps({});
    EXPECT_EQ(Read(kSettingsKey, "Path_POI"), "/alt/");
    EXPECT_FALSE(testsupport::FileExists(HivePath() + ".tmp"));
}

}  // namespace
