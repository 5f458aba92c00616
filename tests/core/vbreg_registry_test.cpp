#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "core/vbreg/registry_strings.h"
#include "platform/registry_test_util.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using testsupport::ReadFile;

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

TEST_F(RegistryStrings, FirstStartReadsEmptyTextsSilentlyAndCreatesNothing) {
    EXPECT_EQ(Read(kSettingsKey, "Path_POI"), "");
    EXPECT_EQ(flag_, 0);
    EXPECT_TRUE(runtime_.Boxes().empty());
    EXPECT_FALSE(std::filesystem::exists(ConfigHome() + "/marquill"));
}

TEST_F(RegistryStrings, TheFirstWriteCreatesTheKeysThatAnySpellingReaches) {
    std::filesystem::remove_all(ConfigHome());
    EXPECT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/poi/"), 0);
    for (const char* key : {"SOFTWARE\\Tarvo\\Marquill", "software\\TARVO\\marquill\\",
                            "\\SOFTWARE\\\\Tarvo\\Marquill\\\\"})
        EXPECT_EQ(Read(key, "PATH_poi"), "/poi/") << key;
    EXPECT_EQ(vbreg::WriteRegString("software\\tarvo\\marquill", "PATH_POI", "/neu/"), 0);
    EXPECT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_SD", ""), 0);
    // One key and one value, spelled as first written; empty text is one NUL byte.
    const std::string hive = ReadFile(HivePath());
    EXPECT_NE(hive.find("\"Path_POI\"=\"/neu/\"\n\"Path_SD\"=\"\"\n"), std::string::npos) << hive;
    EXPECT_EQ(hive.find("tarvo"), std::string::npos) << hive;
}

// The stored size is taken to end with one NUL; 254 bytes fit the buffer, longer reads fail.
TEST_F(RegistryStrings, ReadsWhatFitsTheBufferWithoutItsLastByte) {
    for (const auto& [stored, expected] :
         {std::pair{std::string(254, 'x') + '\0', std::string(254, 'x')},
          std::pair{std::string(255, 'x') + '\0', ""s}, std::pair{"abc"s, "ab"s},
          std::pair{""s, ""s}}) {
        ASSERT_EQ(registrytest::Store(kSettingsKey, "Path_POI", platform::REG_SZ, stored), 0);
        EXPECT_EQ(Read(kSettingsKey, "Path_POI"), expected) << stored.size();
        EXPECT_EQ(flag_, stored.empty() ? 1 : 0) << stored.size();
    }
    // Only the value of size 0 shows the runtime error, and the program goes on.
    ASSERT_EQ(runtime_.Boxes().size(), 1u);
    const auto& box = runtime_.Boxes()[0];
    EXPECT_EQ(std::tie(box.text, box.style, box.title),
              std::tuple("Ungültiges Argument"s, runtime::vbOKOnly, "Marquill"s));
    EXPECT_FALSE(runtime_.Ended());
}

// Root cannot be kept from writing by permissions: a file size limit makes the write fail.
TEST_F(RegistryStrings, AWriteRefusedBySystemReturnsOneAndKeepsTheOldValue) {
    ASSERT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/alt/"), 0);
    const auto limit = static_cast<rlim_t>(ReadFile(HivePath()).size());
    const int result = registrytest::ExitCode(registrytest::Spawn([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        return static_cast<int>(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/neu/laenger/"));
    }));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Read(kSettingsKey, "Path_POI"), "/alt/");
    EXPECT_FALSE(testsupport::FileExists(HivePath() + ".tmp"));
}

TEST_F(RegistryStrings, TheWindowsFolderComesFromTheCacheFolderUnlessTheHiveNamesOne) {
    const char* key = "Software\\Microsoft\\Windows NT\\CurrentVersion";
    EXPECT_EQ(Read(key, "SystemRoot"), CacheHome() + "/marquill");
    struct stat info {};
    ASSERT_EQ(stat((CacheHome() + "/marquill/temp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & (S_IFMT | 0777), S_IFDIR | 0700u);
    EXPECT_EQ(vbreg::WriteRegString(key, "SystemRoot", "/opt/win"), 0);
    EXPECT_EQ(Read(key, "SystemRoot"), "/opt/win");
}

}  // namespace
