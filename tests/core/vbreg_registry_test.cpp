#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "core/vbreg/vbreg.h"
#include "platform/registry_test_util.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using testsupport::ReadFile;

const char* const kSettingsKey = "SOFTWARE\\Tarvo\\Marquill\\";

class RegistryStrings : public testsupport::IsolatedTest {
protected:
    // A hive whose settings key holds `Path_POI` with the given regedit data.
    void StoreSettingsData(const std::string& data) {
        std::filesystem::create_directories(ConfigHome() + "/marquill");
        testsupport::WriteFile(HivePath(),
                               "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Marquill]\n"
                               "\"Path_POI\"=" +
                                   data + "\n");
    }
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
    EXPECT_NE(ReadFile(HivePath()).find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo]\n"),
              std::string::npos);
    for (const char* key : {"SOFTWARE\\Tarvo\\Marquill\\", "SOFTWARE\\Tarvo\\Marquill",
                            "software\\TARVO\\marquill", "\\SOFTWARE\\\\Tarvo\\Marquill\\\\"}) {
        EXPECT_EQ(Read(key, "PATH_poi"), "/poi/") << key;
    }
    EXPECT_EQ(vbreg::WriteRegString("software\\tarvo\\marquill", "PATH_POI", "/neu/"), 0);
    EXPECT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_SD", ""), 0);
    // One key and one value, spelled as first written; empty text is one NUL byte.
    const std::string hive = ReadFile(HivePath());
    EXPECT_NE(hive.find("\"Path_POI\"=\"/neu/\"\n\"Path_SD\"=\"\"\n"), std::string::npos) << hive;
    EXPECT_EQ(hive.find("tarvo"), std::string::npos) << hive;
}

TEST_F(RegistryStrings, ReadsWhatFitsTheBufferAndNothingLonger) {
    std::string umlauts;  // sizes count bytes: 127 two-byte letters fill 254
    for (int i = 0; i < 127; ++i) umlauts += "ä";
    for (const auto& [text, expected] :
         {std::pair{std::string(254, 'x'), std::string(254, 'x')},
          std::pair{std::string(255, 'x'), ""s}, std::pair{umlauts, umlauts},
          std::pair{umlauts + "x", ""s}}) {
        ASSERT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", text), 0);
        EXPECT_EQ(Read(kSettingsKey, "Path_POI"), expected) << text.size();
        EXPECT_EQ(flag_, 0) << text.size();
    }
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(RegistryStrings, TheLastByteIsTakenForTheTerminatingNul) {
    for (const auto& [data, expected] :
         {std::pair{"hex(1):61,62,63,00", "abc"s}, std::pair{"hex(1):61,62,63", "ab"s},
          std::pair{"hex(1):61,00,62,00", "a\0b"s}, std::pair{"dword:00000041", "A\0\0"s}}) {
        StoreSettingsData(data);
        EXPECT_EQ(Read(kSettingsKey, "Path_POI"), expected) << data;
        EXPECT_EQ(flag_, 0) << data;
    }
}

TEST_F(RegistryStrings, AValueWithoutDataShowsTheRuntimeErrorAndSetsTheFlag) {
    StoreSettingsData("hex(1):");
    EXPECT_EQ(Read(kSettingsKey, "Path_POI"), "");
    EXPECT_EQ(flag_, 1);
    ASSERT_EQ(runtime_.Boxes().size(), 1u);
    EXPECT_EQ(runtime_.Boxes()[0].text, "Ungültiges Argument");
    EXPECT_EQ(runtime_.Boxes()[0].style, runtime::vbOKOnly);
    EXPECT_EQ(runtime_.Boxes()[0].title, "Marquill");
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
