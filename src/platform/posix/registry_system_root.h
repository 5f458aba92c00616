#pragma once
// Windows always knows its own folder; on Linux the registry layer answers `SystemRoot` itself
// with the program's cache folder (or a short private one in /tmp when the cache folder's name
// is too long to read) unless the hive names another.

#include <string>

#include "platform/posix/hive_model.h"

namespace platform::hive {

// Whether the key is the one that holds `SystemRoot`, or one of its ancestors.
bool IsOnSystemRootPath(const KeyPath& key);
bool IsSystemRootValue(const KeyPath& key, const std::string& valueName);

// `SystemRoot` as REG_SZ data; creates the folder's private `temp/` subfolder when missing.
Value SystemRootValue();

}  // namespace platform::hive
