#pragma once
// The few operating-system operations the core needs. The calls keep the shape and the
// result codes of their Windows counterparts, so the core reads the same on every system:
// posix/ serves them on Linux, win32/ passes them to the real Windows API.
//
// Texts cross this header in UTF-8, on every system: paths, command lines, registry names and
// values, process names. The layer converts where the system speaks another encoding, in one
// place (win32/text_conversion.cpp): file names and command lines to UTF-16 for the W functions,
// registry text to and from the ANSI code page for the A functions. Call sites never convert.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// ---------------------------------------------------------------------------------------------
// Registry
// ---------------------------------------------------------------------------------------------

using HKEY = std::uintptr_t;
using LSTATUS = long;

inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

inline constexpr LSTATUS ERROR_SUCCESS = 0;
inline constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
inline constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
inline constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
inline constexpr LSTATUS ERROR_WRITE_FAULT = 29;
inline constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
inline constexpr LSTATUS ERROR_MORE_DATA = 234;
inline constexpr LSTATUS ERROR_BADDB = 1009;
inline constexpr LSTATUS ERROR_LOCK_FAILED = 167;

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t REG_OPTION_NON_VOLATILE = 0;

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

inline constexpr std::uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr std::uint32_t REG_OPENED_EXISTING_KEY = 2;

struct SECURITY_ATTRIBUTES {
    std::uint32_t nLength = 0;
    void* lpSecurityDescriptor = nullptr;
    std::int32_t bInheritHandle = 0;
};

// Text data of the registry (REG_SZ and the other string types) is stored in the system's 8-bit
// code page and crosses this header as UTF-8, which may take up to this many bytes for one
// stored byte ("€" is one byte in Windows-1252, three in UTF-8).
inline constexpr std::uint32_t kUtf8BytesPerAnsiByte = 3;

// Only HKEY_LOCAL_MACHINE is used. Key paths use "\" between their components.
LSTATUS RegOpenKeyEx(HKEY root, const std::string& subKey, std::uint32_t options,
                     std::uint32_t samDesired, HKEY* result);
// *dataSize in: the size offered, counted in stored bytes, as the old program counted them. The
// buffer must hold kUtf8BytesPerAnsiByte times the offered size: text data arrives as UTF-8.
// Out: the byte count placed in the buffer. ERROR_MORE_DATA, the buffer untouched, when the
// stored data is larger than the offer; *dataSize then tells the stored size, as it does when
// no buffer is given.
LSTATUS RegQueryValueEx(HKEY key, const std::string& valueName, std::uint32_t* type,
                        unsigned char* data, std::uint32_t* dataSize);
LSTATUS RegCreateKeyEx(HKEY root, const std::string& subKey, std::uint32_t reserved,
                       const std::string& className, std::uint32_t options,
                       std::uint32_t samDesired, const SECURITY_ATTRIBUTES* security, HKEY* result,
                       std::uint32_t* disposition);
// Text data is given as UTF-8 and dataSize counts its bytes, the terminating NUL included; it
// is stored in the system's 8-bit code page, with the stored byte count.
LSTATUS RegSetValueEx(HKEY key, const std::string& valueName, std::uint32_t reserved,
                      std::uint32_t type, const unsigned char* data, std::uint32_t dataSize);
LSTATUS RegCloseKey(HKEY key);

// Why the stored settings cannot be read, as one German line for standard error at start:
// the file, the line and what is wrong. Empty when they can be read (or the system keeps them
// itself). An unreadable store is never overwritten.
std::string SettingsFileProblem();

// ---------------------------------------------------------------------------------------------
// System version
// ---------------------------------------------------------------------------------------------

inline constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFO {
    std::uint32_t dwOSVersionInfoSize = 0;
    std::uint32_t dwMajorVersion = 0;
    std::uint32_t dwMinorVersion = 0;
    std::uint32_t dwBuildNumber = 0;
    std::uint32_t dwPlatformId = 0;
    char szCSDVersion[128] = {};
};

bool GetVersionEx(OSVERSIONINFO* info);

// ---------------------------------------------------------------------------------------------
// Process list and process start
// ---------------------------------------------------------------------------------------------

using HANDLE = std::intptr_t;
inline constexpr HANDLE INVALID_HANDLE_VALUE = -1;
inline constexpr std::uint32_t TH32CS_SNAPALL = 15;

struct PROCESSENTRY32 {
    std::uint32_t dwSize = 0;
    std::int32_t th32ProcessID = 0;
    std::int32_t th32ParentProcessID = 0;
    std::string szExeFile;
};

HANDLE CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId);
bool Process32First(HANDLE snapshot, PROCESSENTRY32* entry);
bool Process32Next(HANDLE snapshot, PROCESSENTRY32* entry);
bool CloseHandle(HANDLE handle);

// Splits a command line as Windows does: blanks separate, double quotes group and are removed.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// One argument as a command line must hold it so that SplitCommandLine gives it back whole:
// unchanged unless it is empty or holds a blank or a quote, else in double quotes with its
// quotes and the backslashes before them escaped. Not for the program path, which cannot
// hold a quote.
std::string QuoteCommandLineArgument(std::string_view argument);

// Starts the command line as a child process of this program, never through a shell.
// Returns 0 and the new process id, or the errno value that kept it from starting.
int StartCommandLine(const std::string& commandLine, int windowStyle, std::int32_t* processId);

// What a wait can sleep on until a child this program started ends: a descriptor that becomes
// readable (Linux) or a process handle that becomes signalled (Windows); it may also wake for
// another child's end, after which the wait simply tests again. The layer owns it: never close
// it; it stays valid until the next process snapshot or start. kNoEndSignal when the id names
// no child of this program that is still unreaped (the id may name another process by now), or
// the system offers none: the wait then sleeps its safety bound.
using EndSignal = std::intptr_t;
inline constexpr EndSignal kNoEndSignal = -1;
EndSignal ChildEndSignal(std::int32_t processId);

// ---------------------------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------------------------

// What joins a folder and a name in a file path.
#ifdef _WIN32
inline constexpr const char* kPathSeparator = "\\";
#else
inline constexpr const char* kPathSeparator = "/";
#endif

// The path of the ordinary file the given path names, found as Windows finds it: the exact
// name first, else a name in the same folder that differs only in letter case. Folders,
// hidden (dot) files and special files never count.
std::optional<std::string> FindOrdinaryFile(const std::string& path);

// Whether the listing "folder*.*" finds at least one ordinary file.
bool FolderHoldsOrdinaryFile(const std::string& folder);

// Whether the folder that would hold the path exists (tells "file" from "path" not found).
bool ParentFolderExists(const std::string& path);

// File operations return 0 or the errno value of the failure.
// Windows' error codes arrive mapped: not found ENOENT, denied, locked or in use EACCES,
// write-protected EROFS, disk full ENOSPC, a bad name EINVAL or ENAMETOOLONG, else EIO.
int CopyFileReplacing(const std::string& from, const std::string& to);
// Copies beside the target and renames over it, so the target is never left half-written.
int CopyFileAtomically(const std::string& from, const std::string& to);
int DeleteFile(const std::string& path);

// std::fopen for a path in UTF-8; nullptr and errno when it fails.
std::FILE* OpenFileStream(const std::string& path, const char* mode);

// The errno value of an exhausted disk quota; systems without quotas have none.
#ifdef EDQUOT
inline constexpr int kDiskQuotaExceeded = EDQUOT;
#else
inline constexpr int kDiskQuotaExceeded = -1;
#endif

// ---------------------------------------------------------------------------------------------
// User's locale and 8-bit text
// ---------------------------------------------------------------------------------------------

// The decimal separator of the user's number settings (for instance "," in German), read
// afresh on each call; "." when the settings name no usable locale.
std::string UserDecimalSeparator();

// Text in the system's 8-bit code page (Windows' ANSI code page; Windows-1252 on Linux, what a
// German Windows wrote) as UTF-8.
std::string AnsiToUtf8(std::string_view text);
// UTF-8 as the system's 8-bit code page; what it cannot hold becomes "?".
std::string Utf8ToAnsi(std::string_view text);

}  // namespace platform
