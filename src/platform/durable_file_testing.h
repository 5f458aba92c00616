#pragma once
// For tests only: the program itself never includes this header.

#include <functional>

namespace platform::test_seams {

// The steps that put a written file durably in the place of another: flush (of the file, and
// after the rename of its folder), close and rename, with the system calls' results. A test
// may record or fail them; an empty member takes the system's own call.
struct DurableFileSteps {
    std::function<int(int fd)> flush = {};
    std::function<int(int fd)> close = {};
    std::function<int(const char* from, const char* to)> rename = {};
};

// A default value restores the system's own calls.
void SetDurableFileSteps(DurableFileSteps steps);

}  // namespace platform::test_seams
