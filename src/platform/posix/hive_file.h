#pragma once
// The hive file's bytes: what regedit writes and what people type, in the encodings regedit
// and editors use, read into a hive and written back in the form they came in.

#include <string>
#include <string_view>

#include "platform/posix/hive_model.h"
#include "platform/posix/hive_text.h"

namespace platform::hive {

// UTF-16LE with its mark, UTF-8 with or without one, else Windows-1252 (what regedit wrote
// on a German Windows). An empty file is an empty hive.
ParsedHive ParseHiveFile(std::string_view bytes);

// The hive in the given form. A Windows-1252 file whose new text the code page cannot hold
// is written as UTF-8 instead, and so is one whose bytes would read back as UTF-8.
std::string WriteHiveFile(const Hive& hive, const HiveForm& form);

}  // namespace platform::hive
