#pragma once
// The hive's text: regedit's export syntax under either of its headers, as UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/hive_model.h"

namespace platform::hive {

enum class HiveHeader { kRegedit4, kVersion5 };
enum class HiveEncoding { kUtf8, kUtf8WithMark, kUtf16LeWithMark, kWindows1252 };

// How a hive file is written, so that a rewrite keeps the form it came in.
struct HiveForm {
    HiveHeader header = HiveHeader::kRegedit4;
    HiveEncoding encoding = HiveEncoding::kUtf8;
    bool crLf = false;
    bool operator==(const HiveForm&) const = default;
};

// Why a hive cannot be read, in German for the person who mends it; line 0 is the whole file.
struct HiveProblem {
    std::size_t line = 0;
    std::string what;
};

struct ParsedHive {
    std::optional<Hive> hive;  // nothing when the file breaks the syntax anywhere
    HiveForm form;
    HiveProblem problem;
};

// An empty text is an empty hive. Fills the form's header and line ends, not its encoding.
ParsedHive ParseHiveText(std::string_view text);

// The canonical text of the hive, which ParseHiveText reads back to the same hive.
std::string SerializeHiveText(const Hive& hive, HiveHeader header, bool crLf);

// Whether a key or value name can be written into the file and read back unchanged.
bool IsStorableName(std::string_view name);

}  // namespace platform::hive
