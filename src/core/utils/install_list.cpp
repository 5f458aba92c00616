#include "core/utils/install_list.h"

#include <string_view>

#include "core/runtime/runtime_error.h"
#include "core/utils/error_report.h"
#include "platform/platform.h"
#include "platform/text/utf8.h"

namespace Utils {
namespace {

constexpr long kInt16Max = 32767;

// Separator positions are 16-bit, counting from 1; a ";" further on is an overflow.
std::int16_t FirstSeparatorPosition(std::string_view rest) {
    const auto index = rest.find(';');
    if (index == std::string_view::npos) return 0;
    if (static_cast<long>(index) + 1 > kInt16Max) throw runtime::RuntimeError(runtime::kOverflow);
    return static_cast<std::int16_t>(index + 1);
}

std::int16_t PlusOne(std::int16_t value) {
    if (value >= kInt16Max) throw runtime::RuntimeError(runtime::kOverflow);
    return static_cast<std::int16_t>(value + 1);
}

// Lines written on Windows arrive in its 8-bit code page; valid UTF-8 stays as it is.
std::string AsUtf8(std::string line) {
    return platform::text::IsValidUtf8(line) ? line : platform::AnsiToUtf8(line);
}

}  // namespace

std::string ReadLineFromFile(SequentialFile& file) {
    int statement = 0;
    try {
        statement = 20;
        const std::string_view terminator = "\r\n";
        statement = 30;
        const int terminatorLength = static_cast<int>(terminator.size());
        statement = 40;
        int matchCount = 0;
        statement = 50;
        char current = '\0';
        statement = 60;
        std::string buffer;
        while (true) {
            statement = 70;
            if (!(matchCount < terminatorLength && !file.AtEnd())) break;
            statement = 80;
            current = file.ReadChar();
            statement = 90;
            buffer += current;
            statement = 100;
            // A character that breaks a partial match is not tested again as a new start.
            if (current == terminator[matchCount]) {
                statement = 110;
                ++matchCount;
            } else {
                statement = 130;
                matchCount = 0;
            }
        }
        statement = 160;
        return AsUtf8(std::move(buffer));
    } catch (const std::exception& failure) {
        ShowError(failure, "Utils", "ReadLineFromFile", statement);
    }
}

std::string Get_Token(const std::string& line, std::int16_t n) {
    int statement = 0;
    try {
        statement = 20;
        std::string_view rest = line;
        statement = 30;
        std::int16_t position = FirstSeparatorPosition(rest);
        statement = 40;
        std::int16_t count = 1;
        while (true) {
            statement = 50;
            if (!(count < n)) break;
            statement = 60;
            rest = rest.substr(static_cast<std::size_t>(PlusOne(position) - 1));
            statement = 70;
            position = FirstSeparatorPosition(rest);
            statement = 80;
            count = PlusOne(count);
        }
        statement = 100;
        if (position > 0) rest = rest.substr(0, static_cast<std::size_t>(position - 1));
        statement = 110;
        return std::string(rest);
    } catch (const std::exception& failure) {
        ShowError(failure, "Utils", "Get_Token", statement);
    }
}

}  // namespace Utils
