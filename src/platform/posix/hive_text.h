#pragma once
// The hive's file form: regedit's REGEDIT4 export syntax in UTF-8.

#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/hive_model.h"

namespace platform::hive {

// The hive the text describes, or nothing when the text breaks the syntax anywhere.
// An empty text is an empty hive.
std::optional<Hive> ParseHive(std::string_view text);

// The canonical text of the hive, which ParseHive reads back to the same hive.
std::string SerializeHive(const Hive& hive);

// Whether a key or value name can be written into the file and read back unchanged.
bool IsStorableName(const std::string& name);

}  // namespace platform::hive
