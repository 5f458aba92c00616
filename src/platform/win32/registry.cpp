// The registry operations on the real registry, through the A functions: key names, value
// names and text data cross in the ANSI code page, so sizes count ANSI bytes and values that
// the old program stored read back the same.
#include <algorithm>

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace platform {

namespace {

::HKEY AsWindowsKey(HKEY key) {
    return reinterpret_cast<::HKEY>(key);
}

HKEY AsPlatformKey(::HKEY key) {
    return reinterpret_cast<HKEY>(key);
}

bool IsText(std::uint32_t type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

LSTATUS RegOpenKeyEx(HKEY root, const std::string& subKey, std::uint32_t options,
                     std::uint32_t samDesired, HKEY* result) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    ::HKEY key = nullptr;
    const LSTATUS status =
        ::RegOpenKeyExA(AsWindowsKey(root), Utf8ToAnsi(subKey).c_str(), options, samDesired, &key);
    *result = status == ERROR_SUCCESS ? AsPlatformKey(key) : 0;
    return status;
}

LSTATUS RegQueryValueEx(HKEY key, const std::string& valueName, std::uint32_t* type,
                        unsigned char* data, std::uint32_t* dataSize) {
    if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
    DWORD storedType = 0;
    DWORD size = dataSize != nullptr ? *dataSize : 0;
    // One byte more than offered, so that even an offer of 0 bytes passes a buffer: without
    // one, Windows would only tell the size.
    std::string bytes(size + 1, '\0');
    const LSTATUS status =
        ::RegQueryValueExA(AsWindowsKey(key), Utf8ToAnsi(valueName).c_str(), nullptr, &storedType,
                           data != nullptr ? reinterpret_cast<BYTE*>(bytes.data()) : nullptr,
                           dataSize != nullptr ? &size : nullptr);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return status;
    if (type != nullptr) *type = storedType;
    if (dataSize != nullptr) *dataSize = size;
    if (status != ERROR_SUCCESS || data == nullptr) return status;
    bytes.resize(size);
    if (IsText(storedType)) bytes = AnsiToUtf8(bytes);
    *dataSize = static_cast<std::uint32_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), data);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyEx(HKEY root, const std::string& subKey, std::uint32_t reserved,
                       const std::string& className, std::uint32_t options,
                       std::uint32_t samDesired, const SECURITY_ATTRIBUTES* security, HKEY* result,
                       std::uint32_t* disposition) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    ::SECURITY_ATTRIBUTES attributes{};
    if (security != nullptr) {
        attributes.nLength = security->nLength;
        attributes.lpSecurityDescriptor = security->lpSecurityDescriptor;
        attributes.bInheritHandle = security->bInheritHandle;
    }
    std::string ansiClass = Utf8ToAnsi(className);
    ::HKEY key = nullptr;
    DWORD created = 0;
    const LSTATUS status = ::RegCreateKeyExA(
        AsWindowsKey(root), Utf8ToAnsi(subKey).c_str(), reserved, ansiClass.data(), options,
        samDesired, security != nullptr ? &attributes : nullptr, &key, &created);
    *result = status == ERROR_SUCCESS ? AsPlatformKey(key) : 0;
    if (status == ERROR_SUCCESS && disposition != nullptr) *disposition = created;
    return status;
}

LSTATUS RegSetValueEx(HKEY key, const std::string& valueName, std::uint32_t reserved,
                      std::uint32_t type, const unsigned char* data, std::uint32_t dataSize) {
    if (data == nullptr && dataSize > 0) return ERROR_INVALID_PARAMETER;
    std::string bytes(reinterpret_cast<const char*>(data), data == nullptr ? 0 : dataSize);
    if (IsText(type)) bytes = Utf8ToAnsi(bytes);
    const LSTATUS status = ::RegSetValueExA(
        AsWindowsKey(key), Utf8ToAnsi(valueName).c_str(), reserved, type,
        reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    // Written through at once, as the Linux layer's hive is: the folders stored at the end of
    // a run must survive a power cut right after it.
    if (status == ERROR_SUCCESS) ::RegFlushKey(AsWindowsKey(key));
    return status;
}

LSTATUS RegCloseKey(HKEY key) {
    return ::RegCloseKey(AsWindowsKey(key));
}

std::string SettingsFileProblem() {
    return {};  // Windows keeps the registry itself.
}

}  // namespace platform
