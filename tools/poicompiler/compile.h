#pragma once

#include <string>
#include <vector>

namespace poicompiler {

// Does the whole job for argv without argv[0]; throws CompileError, leaving no output behind.
void Compile(const std::vector<std::string>& argv);

}  // namespace poicompiler
