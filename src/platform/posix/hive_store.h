#pragma once
// Where the hive lives and how it is read and safely replaced on disk.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/posix/hive_model.h"
#include "platform/posix/hive_text.h"

namespace platform::hive {

struct HiveFiles {
    std::string folder;  // $XDG_CONFIG_HOME/marquill
    std::string hive;    // registry.reg
    std::string lock;    // registry.reg.lock: writers take turns on it
    std::string temp;    // registry.reg.tmp: the next hive, before it replaces the old one
};

// Taken from the environment at each call: tests and users may point it elsewhere.
HiveFiles CurrentHiveFiles();
// $XDG_CACHE_HOME, or ~/.cache without it.
std::string CacheHome();

// Creates the folder and its missing parents with the given mode; true when it exists after.
// A folder that exists costs one stat.
bool EnsureFolder(const std::string& path, unsigned mode);

struct StoredHive {
    Hive hive;
    HiveForm form;  // a new file's form when there is no file yet
    // Set when the file cannot be read: it then holds no keys and is never overwritten.
    std::optional<HiveProblem> problem;
};

// The stored hive; a missing file is an empty hive. Parsed once and reused while the file
// stays as it was, so other processes' writes are seen at the next call.
std::shared_ptr<const StoredHive> LoadHive(const HiveFiles& files);

// Under the writers' lock: reads the current hive, lets `change` edit it and stores the result
// in the file's own form when `change` returns true. The hive on disk is always either the old
// or the new one.
LSTATUS UpdateHive(const HiveFiles& files, const std::function<bool(Hive&)>& change);

}  // namespace platform::hive
