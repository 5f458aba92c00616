// Any list quoted into a command line splits back into the same list; any text splits.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace {

// The list is the input cut at its NUL bytes. The program path cannot hold a quote, and is
// quoted as the install run quotes it: whole, when it holds a blank or is empty.
std::vector<std::string> ListOf(std::string_view input) {
    std::vector<std::string> list(1);
    for (const char c : input) c == '\0' ? list.emplace_back() : (list.back() += c);
    std::erase(list.front(), '"');
    return list;
}

std::string Joined(const std::vector<std::string>& list) {
    const std::string& program = list.front();
    std::string line = program.empty() || program.find_first_of(" \t") != std::string::npos
                           ? '"' + program + '"'
                           : program;
    for (std::size_t i = 1; i < list.size(); ++i) {
        line += ' ' + platform::QuoteCommandLineArgument(list[i]);
    }
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    platform::SplitCommandLine(std::string(input));
    const std::vector<std::string> list = ListOf(input);
    if (platform::SplitCommandLine(Joined(list)) != list) std::abort();
    return 0;
}
