#pragma once
// Windows' error codes as the errno values that platform.h's file and process operations
// return, so that the core's runtime-error numbers hold on every system.

namespace platform::win32 {

int ErrnoFromWindowsError(unsigned long error);
int LastErrorAsErrno();

}  // namespace platform::win32
