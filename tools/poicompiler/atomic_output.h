#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace poicompiler {

struct OutputFile {
    std::filesystem::path path;
    std::string contents;
};

// Writes every file to a hidden temporary beside its target, flushes all of them to disk and
// only then renames them into place; on any failure the temporaries are removed.
void WriteAllOrNothing(const std::vector<OutputFile>& files);

}  // namespace poicompiler
