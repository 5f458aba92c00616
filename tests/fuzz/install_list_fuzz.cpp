// The install list as a user's file may hold it: every line read, split into its columns and
// turned into the values the device gets, the way the install run does.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "core/runtime/runtime_error.h"
#include "core/runtime/runtime_services.h"
#include "core/utils/field_rules.h"
#include "core/utils/install_list.h"
#include "core/utils/sequential_file.h"

namespace {

// Boxes are answered at once; the end of the program ends the input's run, not the fuzzer.
struct QuietRuntime : runtime::RuntimeServices {
    int MsgBox(const runtime::ShownBox&) override { return runtime::vbOK; }
    void DoEvents() override {}
    void WaitForEvents(std::chrono::milliseconds, platform::EndSignal) override {}
    [[noreturn]] void EndProgram() override { throw runtime::ProgramEnded{}; }
};

void Check(bool holds) {
    if (!holds) std::abort();
}

// The file each input is written to: memory behind a descriptor, so nothing is left to remove.
const std::string& ListPath() {
    static const std::string path = "/proc/self/fd/" + std::to_string(memfd_create("list", 0));
    return path;
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
        const std::string distance = Utils::DistanceValue(Utils::Get_Token(line, 4));
        Check(std::set<std::string>{"0", "50", "100", "200", "500", "1000", "2000"}.contains(
            distance));
    } catch (const runtime::RuntimeError& error) {
        Check(error.Number() == runtime::kOverflow);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QuietRuntime services;
    runtime::InstallRuntime(&services);
    std::ofstream(ListPath(), std::ios::binary).write(reinterpret_cast<const char*>(data), size);
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
