#pragma once
// The Basic runtime's file statements: a failure is a runtime error, never a silent result.

#include <string>

namespace runtime {

// Copies `from` over `to`, replacing a file already there.
void FileCopy(const std::string& from, const std::string& to);
// Like FileCopy, but `to` is replaced in one step: it is never left half-written.
void FileCopyReplacingAtOnce(const std::string& from, const std::string& to);
// Deletes the file.
void Kill(const std::string& path);

}  // namespace runtime
