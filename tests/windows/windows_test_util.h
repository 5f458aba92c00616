#pragma once
// Helpers of the Windows tests: where the build put the programs, and running a program of
// Windows' own with its output caught.

#include <string>

namespace wintest {

// A path of the build folder (a Linux path, as CMake knows it) as Windows names it ("Z:\...").
std::string WindowsPath(const std::string& buildPath);

// test_child.exe, beside this test program, quoted for a command line.
std::string TestChild();

struct Finished {
    unsigned long exitCode;
    std::string output;  // standard output as the program wrote it, in its code page
};

// Runs the command line (no shell), waits for its end and returns what it wrote.
Finished RunAndCatchOutput(const std::string& commandLine);

// Console output in the OEM code page, as Windows' console tools write it, as UTF-8.
std::string Utf8FromOem(const std::string& text);

}  // namespace wintest
