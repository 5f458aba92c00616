#include "core/utils/move_file.h"

#include "core/runtime/file_statements.h"

namespace Utils {

// The copy replaces the target in one step, so a full or pulled card keeps its old file.
void MoveFile(const std::string& source, const std::string& destination) {
    runtime::FileCopyReplacingAtOnce(source, destination);
    runtime::Kill(source);
}

}  // namespace Utils
