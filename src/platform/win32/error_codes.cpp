#include "platform/win32/error_codes.h"

#include <cerrno>

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace platform::win32 {

// ERROR_FILE_NOT_FOUND and ERROR_ACCESS_DENIED are platform.h's, with Windows' values.
int ErrnoFromWindowsError(unsigned long error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return EINVAL;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        default:
            return EIO;
    }
}

int LastErrorAsErrno() {
    return ErrnoFromWindowsError(::GetLastError());
}

}  // namespace platform::win32
