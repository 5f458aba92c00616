#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace platform {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(const std::string& text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    return pos;
}

// The program path: quotes group and are dropped, a backslash is always a plain character
// (it separates folders in a Windows path).
std::size_t ReadProgram(const std::string& text, std::size_t pos, std::string* program) {
    bool quoted = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            quoted = !quoted;
        } else if (IsBlank(c) && !quoted) {
            break;
        } else {
            *program += c;
        }
    }
    return pos;
}

// One argument: 2n backslashes before a quote give n backslashes and the quote groups;
// 2n+1 give n backslashes and a literal quote; "" inside quotes is a literal quote.
// Backslashes before anything else are plain characters.
std::size_t ReadArgument(const std::string& text, std::size_t pos, std::string* argument) {
    bool quoted = false;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\\') {
            std::size_t count = 0;
            while (pos < text.size() && text[pos] == '\\') {
                ++count;
                ++pos;
            }
            if (pos < text.size() && text[pos] == '"') {
                argument->append(count / 2, '\\');
                if (count % 2 == 1) {
                    *argument += '"';
                    ++pos;
                }
            } else {
                argument->append(count, '\\');
            }
        } else if (c == '"') {
            if (quoted && pos + 1 < text.size() && text[pos + 1] == '"') {
                *argument += '"';
                pos += 2;
            } else {
                quoted = !quoted;
                ++pos;
            }
        } else if (IsBlank(c) && !quoted) {
            break;
        } else {
            *argument += c;
            ++pos;
        }
    }
    return pos;
}

}  // namespace

std::string QuoteCommandLineArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
        return std::string(argument);
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double only before a quote: the argument's own or the closing one.
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + '"';
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> tokens;
    std::size_t pos = SkipBlanks(commandLine, 0);
    if (pos >= commandLine.size()) return tokens;
    std::string program;
    pos = ReadProgram(commandLine, pos, &program);
    tokens.push_back(std::move(program));
    for (pos = SkipBlanks(commandLine, pos); pos < commandLine.size();
         pos = SkipBlanks(commandLine, pos)) {
        std::string argument;
        pos = ReadArgument(commandLine, pos, &argument);
        tokens.push_back(std::move(argument));
    }
    return tokens;
}

}  // namespace platform
