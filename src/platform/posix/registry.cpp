// The registry operations, served from the hive file. A key handle names a key; every
// operation looks at the file afresh, so other processes' writes are seen at once.
#include <algorithm>
#include <optional>

#include "platform/platform.h"
#include "platform/posix/handle_table.h"
#include "platform/posix/hive_model.h"
#include "platform/posix/hive_store.h"
#include "platform/posix/hive_text.h"
#include "platform/posix/registry_system_root.h"

namespace platform {

namespace {

using hive::KeyPath;

struct OpenKey {
    KeyPath path;
    std::uint32_t access = 0;
};

posix::HandleTable<HKEY, OpenKey>& Handles() {
    static posix::HandleTable<HKEY, OpenKey> table{0x1004, 4};
    return table;
}

// The path a subkey names below a root, which is HKEY_LOCAL_MACHINE or an open key.
std::optional<KeyPath> ResolvePath(HKEY root, const std::string& subKey) {
    KeyPath path;
    if (root != HKEY_LOCAL_MACHINE) {
        const OpenKey* parent = Handles().Find(root);
        if (parent == nullptr) return std::nullopt;
        path = parent->path;
    }
    for (std::string& component : hive::SplitKeyPath(subKey)) path.push_back(std::move(component));
    return path;
}

// The root and the path to `SystemRoot` always exist, as on Windows.
bool KeyExists(const hive::Hive& stored, const KeyPath& path) {
    return path.empty() || hive::IsOnSystemRootPath(path) || stored.FindKey(path) != nullptr;
}

std::optional<hive::Value> LookUpValue(const KeyPath& path, const std::string& name) {
    const auto stored = hive::LoadHive(hive::CurrentHiveFiles());
    if (const hive::Key* key = stored->hive.FindKey(path)) {
        if (const hive::Value* value = key->FindValue(name)) return *value;
    }
    if (hive::IsSystemRootValue(path, name)) return hive::SystemRootValue();
    return std::nullopt;
}

bool AllStorable(const KeyPath& path) {
    for (const std::string& component : path) {
        if (!hive::IsStorableName(component)) return false;
    }
    return true;
}

}  // namespace

LSTATUS RegOpenKeyEx(HKEY root, const std::string& subKey, std::uint32_t /*options*/,
                     std::uint32_t samDesired, HKEY* result) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = 0;
    const auto path = ResolvePath(root, subKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!KeyExists(hive::LoadHive(hive::CurrentHiveFiles())->hive, *path)) {
        return ERROR_FILE_NOT_FOUND;
    }
    *result = Handles().Add({*path, samDesired});
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueEx(HKEY key, const std::string& valueName, std::uint32_t* type,
                        unsigned char* data, std::uint32_t* dataSize) {
    const OpenKey* open = Handles().Find(key);
    if (open == nullptr) return ERROR_INVALID_HANDLE;
    if ((open->access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
    const auto value = LookUpValue(open->path, valueName);
    if (!value) return ERROR_FILE_NOT_FOUND;
    if (type != nullptr) *type = value->type;
    if (dataSize == nullptr) return ERROR_SUCCESS;
    const auto size = static_cast<std::uint32_t>(value->data.size());
    const bool fits = size <= *dataSize;
    *dataSize = size;
    if (data == nullptr) return ERROR_SUCCESS;
    if (!fits) return ERROR_MORE_DATA;
    std::copy(value->data.begin(), value->data.end(), data);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyEx(HKEY root, const std::string& subKey, std::uint32_t /*reserved*/,
                       const std::string& /*className*/, std::uint32_t /*options*/,
                       std::uint32_t samDesired, const SECURITY_ATTRIBUTES* /*security*/,
                       HKEY* result, std::uint32_t* disposition) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = 0;
    const auto path = ResolvePath(root, subKey);
    if (!path) return ERROR_INVALID_HANDLE;
    if (!AllStorable(*path)) return ERROR_INVALID_PARAMETER;
    bool created = false;
    const LSTATUS status = hive::UpdateHive(hive::CurrentHiveFiles(), [&](hive::Hive& stored) {
        if (KeyExists(stored, *path)) return false;
        stored.EnsureKey(*path);
        created = true;
        return true;
    });
    if (status != ERROR_SUCCESS) return status;
    if (disposition != nullptr) {
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    *result = Handles().Add({*path, samDesired});
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueEx(HKEY key, const std::string& valueName, std::uint32_t /*reserved*/,
                      std::uint32_t type, const unsigned char* data, std::uint32_t dataSize) {
    const OpenKey* open = Handles().Find(key);
    if (open == nullptr) return ERROR_INVALID_HANDLE;
    if ((open->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
    if (!hive::IsStorableName(valueName) || (data == nullptr && dataSize > 0)) {
        return ERROR_INVALID_PARAMETER;
    }
    hive::Value value{valueName, type, hive::Bytes(data, data + dataSize)};
    return hive::UpdateHive(hive::CurrentHiveFiles(), [&](hive::Hive& stored) {
        // The key may have gone from the file since it was opened; writing brings it back.
        stored.EnsureKey(open->path).SetValue(std::move(value));
        return true;
    });
}

LSTATUS RegCloseKey(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
    return Handles().Remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

std::string SettingsFileProblem() {
    const hive::HiveFiles files = hive::CurrentHiveFiles();
    const auto stored = hive::LoadHive(files);
    const auto& problem = stored->problem;
    if (!problem) return {};
    const std::string where = problem->line == 0 ? "" : ", Zeile " + std::to_string(problem->line);
    return "Marquill: Die Einstellungsdatei " + files.hive + " ist nicht lesbar" + where + ": " +
           problem->what + ". Marquill liest nichts daraus und überschreibt sie nicht.";
}

}  // namespace platform
