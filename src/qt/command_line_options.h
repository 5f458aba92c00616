#pragma once
// The command line: the program takes nothing from it but the requests for its help and its
// version, which are answered on the terminal without opening the window.

#include <cstdio>
#include <string>

namespace qtfront {

enum class Request { OpenWindow, ShowHelp, ShowVersion, Refuse };

struct CommandLine {
    Request request = Request::OpenWindow;
    std::string refused;  // the argument that was not understood
};

CommandLine ReadCommandLine(int argc, const char* const* argv);

// Answers a command line that does not open the window; returns the exit status.
int Answer(const CommandLine& commandLine, std::FILE* out, std::FILE* err);

}  // namespace qtfront
