#include "core/runtime/file_statements.h"

#include <cerrno>

#include "core/runtime/runtime_error.h"
#include "platform/platform.h"

namespace runtime {

namespace {

// A missing file or folder may be on either side of a copy; the error names the side.
void ThrowCopyError(int err, const std::string& from, const std::string& to) {
    if (err == ENOENT && !platform::FindOrdinaryFile(from)) throw ErrorFromErrno(err, from);
    throw ErrorFromErrno(err, to);
}

}  // namespace

void FileCopy(const std::string& from, const std::string& to) {
    if (const int err = platform::CopyFileReplacing(from, to); err != 0) {
        ThrowCopyError(err, from, to);
    }
}

void FileCopyReplacingAtOnce(const std::string& from, const std::string& to) {
    if (const int err = platform::CopyFileAtomically(from, to); err != 0) {
        ThrowCopyError(err, from, to);
    }
}

void Kill(const std::string& path) {
    if (const int err = platform::DeleteFile(path); err != 0) throw ErrorFromErrno(err, path);
}

}  // namespace runtime
