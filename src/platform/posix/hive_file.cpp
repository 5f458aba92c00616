#include "platform/posix/hive_file.h"

#include <algorithm>

#include "platform/text/utf16.h"
#include "platform/text/utf8.h"
#include "platform/text/windows_1252.h"

namespace platform::hive {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::size_t LineAt(std::string_view text, std::size_t pos) {
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + pos, '\n'));
}

ParsedHive Unreadable(std::size_t line, std::string what) {
    ParsedHive parsed;
    parsed.problem = {line, std::move(what)};
    return parsed;
}

}  // namespace

ParsedHive ParseHiveFile(std::string_view bytes) {
    std::string text;
    HiveEncoding encoding = HiveEncoding::kUtf8;
    if (bytes.starts_with(kUtf16LeMark)) {
        encoding = HiveEncoding::kUtf16LeWithMark;
        if (!text::AppendUtf16LeAsUtf8(bytes.substr(kUtf16LeMark.size()), text)) {
            return Unreadable(LineAt(text, text.size()), "kein gültiges UTF-16LE");
        }
    } else if (bytes.starts_with(kUtf16BeMark)) {
        return Unreadable(1, "UTF-16 Big Endian; bitte als UTF-16LE oder UTF-8 speichern");
    } else if (bytes.starts_with(kUtf8Mark)) {
        encoding = HiveEncoding::kUtf8WithMark;
        text = bytes.substr(kUtf8Mark.size());
        if (const std::size_t bad = text::FirstInvalidUtf8(text); bad < text.size()) {
            return Unreadable(LineAt(text, bad), "kein gültiges UTF-8, obwohl als UTF-8 markiert");
        }
    } else if (text::IsValidUtf8(bytes)) {
        text = bytes;
    } else {
        encoding = HiveEncoding::kWindows1252;
        text = text::Windows1252ToUtf8(bytes);
    }
    if (const auto nul = text.find('\0'); nul != std::string::npos) {
        return Unreadable(LineAt(text, nul), encoding == HiveEncoding::kUtf16LeWithMark
                                                 ? "Zeichen 0 im Text"
                                                 : "Byte 0 im Text (UTF-16 ohne Byte-Order-Mark?)");
    }
    ParsedHive parsed = ParseHiveText(text);
    parsed.form.encoding = encoding;
    if (text.empty() && encoding == HiveEncoding::kUtf16LeWithMark) {
        parsed.form = {.header = HiveHeader::kVersion5, .encoding = encoding, .crLf = true};
    }
    return parsed;
}

std::string WriteHiveFile(const Hive& hive, const HiveForm& form) {
    const std::string text = SerializeHiveText(hive, form.header, form.crLf);
    switch (form.encoding) {
        case HiveEncoding::kUtf8:
            return text;
        case HiveEncoding::kUtf8WithMark:
            return std::string(kUtf8Mark) + text;
        case HiveEncoding::kUtf16LeWithMark:
            return std::string(kUtf16LeMark) + text::Utf8ToUtf16Le(text);
        case HiveEncoding::kWindows1252:
            break;
    }
    // Bytes that happen to form UTF-8 would be read back as UTF-8, not as what they are.
    std::string narrow = text::Utf8ToWindows1252(text);
    const bool readsBack =
        narrow == text || (text::Windows1252ToUtf8(narrow) == text && !text::IsValidUtf8(narrow));
    return readsBack ? narrow : text;
}

}  // namespace platform::hive
