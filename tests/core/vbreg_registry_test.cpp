#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/vbreg/vbreg.h"
#include "support/scripted_runtime.h"
#include "support/test_environment.h"

namespace {

using namespace std::string_literals;
using testsupport::ReadFile;
using testsupport::ScriptedRuntime;
using testsupport::WriteFile;
using vbreg::HKEY_LOCAL_MACHINE;

const char* const kSettingsKey = "SOFTWARE\\Tarvo\\Marquill\\";
const char* const kNavManKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    "{17C4BEEA-D6E8-4975-B2CC-53F6F5CE9959}\\";

class RegistryStrings : public testsupport::IsolatedTest {
protected:
    // A hive whose settings key holds `Path_POI` with the given regedit data.
    void StoreSettingsData(const std::string& data) {
        std::filesystem::create_directories(ConfigHome() + "/marquill");
        WriteFile(HivePath(),
                  "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Marquill]\n"
                  "\"Path_POI\"=" +
                      data + "\n");
    }

    std::string Read(const std::string& key, const std::string& name) {
        flag_ = 7;  // every read must set the flag
        return vbreg::ReadRegString(HKEY_LOCAL_MACHINE, key, name, flag_);
    }

    ScriptedRuntime runtime_;
    std::int16_t flag_ = 0;
};

TEST_F(RegistryStrings, FirstStartReadsEmptyTextsSilently) {
    for (const auto& [key, name] :
         {std::pair{kNavManKey, "InstallLocation"}, std::pair{kSettingsKey, "Path_POI"},
          std::pair{kSettingsKey, "Path_SD"}}) {
        EXPECT_EQ(Read(key, name), "") << name;
        EXPECT_EQ(flag_, 0) << name;
    }
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(RegistryStrings, TheFirstWriteCreatesEveryMissingKeyLevel) {
    EXPECT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/daten/poi/"), 0);
    EXPECT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_SD", "/media/karte/"), 0);
    const std::string hive = ReadFile(HivePath());
    EXPECT_NE(hive.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo]\n"), std::string::npos) << hive;
    EXPECT_NE(hive.find("\"Path_POI\"=\"/daten/poi/\"\n\"Path_SD\"=\"/media/karte/\"\n"),
              std::string::npos)
        << hive;
    EXPECT_EQ(Read("software\\tarvo\\marquill", "path_poi"), "/daten/poi/");
    EXPECT_EQ(flag_, 0);
    EXPECT_EQ(Read(kSettingsKey, "Path_SD"), "/media/karte/");
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(RegistryStrings, ReadsWhatFitsTheBufferAndNothingLonger) {
    struct Case {
        std::string text;
        std::string expected;
    };
    std::string umlauts;  // sizes count bytes: 127 two-byte letters fill 254
    for (int i = 0; i < 127; ++i) umlauts += "ä";
    for (const Case& c : {Case{std::string(254, 'x'), std::string(254, 'x')},
                          Case{std::string(255, 'x'), ""}, Case{std::string(300, 'x'), ""},
                          Case{"", ""}, Case{umlauts, umlauts}, Case{umlauts + "x", ""}}) {
        ASSERT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", c.text), 0);
        EXPECT_EQ(Read(kSettingsKey, "Path_POI"), c.expected) << c.text.size();
        EXPECT_EQ(flag_, 0) << c.text.size();
    }
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(RegistryStrings, EmptyTextIsStoredAsOneNulByte) {
    ASSERT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", ""), 0);
    EXPECT_NE(ReadFile(HivePath()).find("\"Path_POI\"=\"\"\n"), std::string::npos);
}

TEST_F(RegistryStrings, TheLastByteIsTakenForTheTerminatingNul) {
    struct Case {
        const char* data;
        std::string expected;
    };
    for (const Case& c : {Case{"hex(1):61,62,63,00", "abc"}, Case{"hex(1):61,62,63", "ab"},
                          Case{"hex(1):61,00,62,00", "a\0b"s}, Case{"hex:61,62,00", "ab"},
                          Case{"dword:00000041", "A\0\0"s}}) {
        StoreSettingsData(c.data);
        EXPECT_EQ(Read(kSettingsKey, "Path_POI"), c.expected) << c.data;
        EXPECT_EQ(flag_, 0) << c.data;
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
    // The next read starts with a clear flag.
    EXPECT_EQ(Read(kSettingsKey, "Path_SD"), "");
    EXPECT_EQ(flag_, 0);
}

TEST_F(RegistryStrings, ABrokenHiveReadsEmptyAndIsNotWritten) {
    std::filesystem::create_directories(ConfigHome() + "/marquill");
    const std::string broken =
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarvo\\Marquill]\n\"Path_POI\"=\"/a/\n";
    WriteFile(HivePath(), broken);
    EXPECT_EQ(Read(kSettingsKey, "Path_POI"), "");
    EXPECT_EQ(flag_, 0);
    EXPECT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_SD", "/b/"), 1);
    EXPECT_EQ(ReadFile(HivePath()), broken);
    EXPECT_TRUE(runtime_.Boxes().empty());
}

// Root cannot be kept from writing by permissions: a file size limit makes the write fail.
TEST_F(RegistryStrings, AWriteRefusedBySystemReturnsOneAndKeepsTheOldValue) {
    ASSERT_EQ(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/alt/"), 0);
    const auto limit = static_cast<rlim_t>(ReadFile(HivePath()).size());
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        _exit(vbreg::WriteRegString(kSettingsKey, "Path_POI", "/neu/und/laenger/"));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(Read(kSettingsKey, "Path_POI"), "/alt/");
    EXPECT_TRUE(runtime_.Boxes().empty());
}

TEST_F(RegistryStrings, TheWindowsFolderComesFromTheCacheFolderUnlessTheHiveNamesOne) {
    const char* key = "Software\\Microsoft\\Windows NT\\CurrentVersion";
    EXPECT_EQ(Read(key, "SystemRoot"), CacheHome() + "/marquill");
    EXPECT_EQ(vbreg::WriteRegString(key, "SystemRoot", "/opt/win"), 0);
    EXPECT_EQ(Read(key, "SystemRoot"), "/opt/win");
}

}  // namespace
