#pragma once
// The file operations under the compiler, each system's own: the POSIX calls, or on Windows
// the wide calls, where a path holds UTF-16. A failure throws CompileError.

#include <cstdio>
#include <filesystem>
#include <string>

#include "poicompiler/atomic_output.h"

namespace poicompiler {

// Names the path, the step and the system's last error.
[[noreturn]] void FailWithSystemError(const std::string& what, const std::filesystem::path& path);

// std::fopen for reading in binary; nullptr and errno when the file cannot be opened.
std::FILE* OpenInput(const std::filesystem::path& path);

unsigned long ProcessId();

// Creates the temporary, hidden, writes the file's contents to it and flushes them to the
// disk; only then may it be seen. False, with nothing created, when the name is taken.
bool WriteNewFile(const std::filesystem::path& temporary, const OutputFile& file);

void MoveOverTarget(const std::filesystem::path& temporary, const std::filesystem::path& target);
void RemoveTemporary(const std::filesystem::path& temporary);

// Makes the moves into the file's folder durable where the move itself does not.
void SyncFolderOf(const std::filesystem::path& file);

}  // namespace poicompiler
