// The install list as a user's file may hold it: every line read, split into its columns and
// turned into the values the device gets, the way the install run does.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/runtime/runtime_error.h"
#include "core/runtime/runtime_services.h"
#include "core/utils/field_rules.h"
#include "core/utils/install_list.h"
#include "core/utils/sequential_file.h"
#include "platform/text/letter_case.h"

namespace {

// Boxes are answered at once; the end of the program ends the input's run, not the fuzzer.
class QuietRuntime : public runtime::RuntimeServices {
public:
    int MsgBox(const runtime::ShownBox&) override { return runtime::vbOK; }
    void DoEvents() override {}
    void WaitForEvents(std::chrono::milliseconds, platform::EndSignal) override {}
    [[noreturn]] void EndProgram() override { throw runtime::ProgramEnded{}; }
};

void Check(bool holds) {
    if (!holds) std::abort();
}

// The list file each input is written to, removed when the fuzzer ends.
struct ListFile {
    std::string path = "/tmp/install_list_fuzz." + std::to_string(getpid());
    ~ListFile() { std::remove(path.c_str()); }
};

const std::string& ListPath() {
    static const ListFile file;
    return file.path;
}

void CheckColumns(const std::string& line) {
    const std::string name{Utils::TrimSpaces(Utils::Get_Token(line, 1))};
    std::string shortName = Utils::ShortNameOf(Utils::Get_Token(line, 2));
    if (shortName.empty()) shortName = Utils::ShortNameOf(name);
    Check(shortName == Utils::TrimSpaces(shortName));
    for (const std::int16_t column : {3, 5, 6}) {
        const std::string flag = Utils::FlagValue(Utils::Get_Token(line, column));
        Check(flag == "0" || flag == "1");
    }
    try {
        const int distance = std::stoi(Utils::DistanceValue(Utils::Get_Token(line, 4)));
        Check(distance == 0 || distance == 50 || distance == 100 || distance == 200 ||
              distance == 500 || distance == 1000 || distance == 2000);
    } catch (const runtime::RuntimeError& error) {
        Check(error.Number() == runtime::kOverflow);
    }
    // A name matches itself in any letter case, and the match goes both ways.
    Check(platform::text::NamesEqualIgnoringCase(name, name));
    Check(platform::text::NamesEqualIgnoringCase(name, shortName) ==
          platform::text::NamesEqualIgnoringCase(shortName, name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QuietRuntime services;
    runtime::InstallRuntime(&services);
    std::FILE* file = std::fopen(ListPath().c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        Utils::SequentialFile list(ListPath());
        while (!list.AtEnd()) {
            std::string line = Utils::ReadLineFromFile(list);
            if (line.ends_with("\r\n")) line.resize(line.size() - 2);
            if (!line.empty()) CheckColumns(line);
        }
    } catch (const runtime::ProgramEnded&) {
        // Get_Token's overflow report: the program would end here.
    }
    return 0;
}
