#include "core/vbreg/registry_strings.h"

#include "core/runtime/runtime_error.h"
#include "core/runtime/runtime_services.h"

namespace vbreg {

namespace {

// 255 bytes as the old program counted them, in its 8-bit code page; the buffer holds the
// same text as UTF-8.
constexpr std::uint32_t kOfferedSize = 255;
// Query value, set value, create subkey, enumerate subkeys, notify, create link.
constexpr std::uint32_t kWriteAccess = 63;

// The first `length` characters; a negative length is an invalid argument, as in the old runtime.
std::string Left(const std::string& text, std::int64_t length) {
    if (length < 0) throw runtime::RuntimeError(runtime::kInvalidArgument);
    return text.substr(0, static_cast<std::size_t>(length));
}

void ShowRuntimeError(const std::exception& failure) {
    runtime::MsgBox(runtime::AsRuntimeError(failure).Description(), runtime::vbOKOnly,
                    runtime::kProgramTitle);
}

}  // namespace

std::string ReadRegString(HKEY root, const std::string& subKey, const std::string& valueName,
                          std::int16_t& errorFlag) {
    try {
        std::string buffer(kOfferedSize * platform::kUtf8BytesPerAnsiByte, ' ');
        std::uint32_t size = kOfferedSize;
        errorFlag = 0;
        HKEY key = 0;
        if (platform::RegOpenKeyEx(root, subKey, 0, platform::KEY_QUERY_VALUE, &key) !=
            platform::ERROR_SUCCESS) {
            return {};
        }
        std::uint32_t type = 0;
        const platform::LSTATUS readResult = platform::RegQueryValueEx(
            key, valueName, &type, reinterpret_cast<unsigned char*>(buffer.data()), &size);
        platform::RegCloseKey(key);
        if (readResult != platform::ERROR_SUCCESS) return {};
        // The stored size is taken to include exactly one terminating NUL.
        return Left(buffer, static_cast<std::int64_t>(size) - 1);
    } catch (const std::exception& failure) {
        ShowRuntimeError(failure);
        errorFlag = 1;
        return {};
    }
}

std::int16_t WriteRegString(const std::string& subKey, const std::string& valueName,
                            const std::string& value) {
    try {
        // Never filled in: a created key gets the default security, its handle is not inherited.
        const platform::SECURITY_ATTRIBUTES securityAttributes{};
        std::uint32_t creationDisposition = 0;  // received, never read
        HKEY key = 0;  // stays 0 when the key cannot be created; the write then fails
        platform::RegCreateKeyEx(HKEY_LOCAL_MACHINE, subKey, 0, "",
                                 platform::REG_OPTION_NON_VOLATILE, kWriteAccess,
                                 &securityAttributes, &key, &creationDisposition);
        const std::string data = value + '\0';
        const platform::LSTATUS writeResult =
            platform::RegSetValueEx(key, valueName, 0, platform::REG_SZ,
                                    reinterpret_cast<const unsigned char*>(data.data()),
                                    static_cast<std::uint32_t>(data.size()));
        platform::RegCloseKey(key);
        return writeResult == platform::ERROR_SUCCESS ? 0 : 1;
    } catch (const std::exception& failure) {
        ShowRuntimeError(failure);
        return 1;
    }
}

}  // namespace vbreg
