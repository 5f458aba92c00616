#pragma once
// The Windows headers, for the win32 layer and the Windows front end. They define many names
// of platform.h and of the core as macros (ERROR_SUCCESS, REG_SZ, DeleteFile, MoveFile, ...),
// which would rename or break their declarations: those macros are removed here. Code after this
// header calls the real functions by their explicit A or W names and uses platform.h's constants,
// which carry Windows' own values.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

// Windows' own values of two names that platform.h declares itself. Outside namespace platform,
// where the macros' HKEY and HANDLE would be platform.h's types.
namespace winapi {

inline ::HKEY LocalMachine() {
    return HKEY_LOCAL_MACHINE;
}
inline ::HANDLE InvalidHandle() {
    return INVALID_HANDLE_VALUE;
}

}  // namespace winapi

#undef ERROR_SUCCESS
#undef ERROR_FILE_NOT_FOUND
#undef ERROR_ACCESS_DENIED
#undef ERROR_INVALID_HANDLE
#undef ERROR_WRITE_FAULT
#undef ERROR_INVALID_PARAMETER
#undef ERROR_MORE_DATA
#undef ERROR_BADDB
#undef ERROR_LOCK_FAILED
#undef KEY_QUERY_VALUE
#undef KEY_SET_VALUE
#undef REG_OPTION_NON_VOLATILE
#undef REG_NONE
#undef REG_SZ
#undef REG_BINARY
#undef REG_DWORD
#undef REG_CREATED_NEW_KEY
#undef REG_OPENED_EXISTING_KEY
#undef HKEY_LOCAL_MACHINE
#undef RegOpenKeyEx
#undef RegQueryValueEx
#undef RegCreateKeyEx
#undef RegSetValueEx
#undef VER_PLATFORM_WIN32_NT
#undef GetVersionEx
#undef INVALID_HANDLE_VALUE
#undef TH32CS_SNAPALL
#undef Process32First
#undef Process32Next
#undef PROCESSENTRY32
#undef DeleteFile
#undef MoveFile
