#include "platform/posix/hive_text.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/platform.h"
#include "platform/text/utf8.h"

namespace platform::hive {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kHexLineWidth = 76;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           SameName(std::string(text.substr(0, prefix.size())), std::string(prefix));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads 1 to `maxDigits` hex digits that make up the whole text.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    std::uint32_t number = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        number = (number << 4) | static_cast<std::uint32_t>(digit);
    }
    return number;
}

// ---- parsing -------------------------------------------------------------------------------

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

class Parser {
public:
    explicit Parser(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

    std::optional<Hive> Run() {
        if (lines_.empty() || TrimRight(lines_[0]) != kHeader) return std::nullopt;
        for (next_ = 1; next_ < lines_.size();) {
            const std::string_view line = TrimLeft(lines_[next_++]);
            if (TrimRight(line).empty() || line.front() == ';') continue;
            const bool ok = line.front() == '[' ? ReadSection(line) : ReadValueLine(line);
            if (!ok) return std::nullopt;
        }
        return std::move(hive_);
    }

private:
    bool ReadSection(std::string_view line) {
        line = TrimRight(line);
        if (line.size() < 2 || line.back() != ']') return false;
        const std::string_view inside = line.substr(1, line.size() - 2);
        const std::string_view root = inside.substr(0, inside.find('\\'));
        if (!SameName(std::string(root), std::string(kRootName))) return false;
        section_ = SplitKeyPath(std::string(inside.substr(root.size())));
        hive_.EnsureKey(*section_);
        return true;
    }

    bool ReadValueLine(std::string_view line) {
        if (!section_) return false;
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else if (!ReadQuoted(line, name)) {
            return false;
        }
        line = TrimLeft(line);
        if (line.empty() || line.front() != '=') return false;
        line = TrimLeft(line.substr(1));
        Key& key = hive_.EnsureKey(*section_);
        if (TrimRight(line) == "-") {
            key.RemoveValue(name);
            return true;
        }
        Value value{name, REG_SZ, {}};
        if (!ReadData(line, value)) return false;
        key.SetValue(std::move(value));
        return true;
    }

    // A quoted text at the front of `line`, which is left just behind its closing quote.
    static bool ReadQuoted(std::string_view& line, std::string& text) {
        if (line.empty() || line.front() != '"') return false;
        for (std::size_t i = 1; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '"') {
                line.remove_prefix(i + 1);
                return true;
            }
            if (c == '\\') {
                if (i + 1 >= line.size() || (line[i + 1] != '\\' && line[i + 1] != '"')) {
                    return false;
                }
                text += line[++i];
            } else {
                text += c;
            }
        }
        return false;
    }

    bool ReadData(std::string_view data, Value& value) {
        if (!data.empty() && data.front() == '"') {
            std::string text;
            if (!ReadQuoted(data, text) || !TrimRight(data).empty()) return false;
            value.data.assign(text.begin(), text.end());
            value.data.push_back(0);
            return true;
        }
        if (StartsWithIgnoringCase(data, "dword:")) return ReadDword(data.substr(6), value);
        if (StartsWithIgnoringCase(data, "hex:")) {
            value.type = REG_BINARY;
            return ReadHexList(data.substr(4), value.data);
        }
        if (StartsWithIgnoringCase(data, "hex(")) {
            const auto close = data.find("):");
            if (close == std::string_view::npos) return false;
            const auto type = ParseHexNumber(data.substr(4, close - 4), 8);
            if (!type) return false;
            value.type = *type;
            return ReadHexList(data.substr(close + 2), value.data);
        }
        return false;
    }

    static bool ReadDword(std::string_view digits, Value& value) {
        const auto number = ParseHexNumber(TrimRight(digits), 8);
        if (!number) return false;
        value.type = REG_DWORD;
        for (int shift = 0; shift < 32; shift += 8) {
            value.data.push_back(static_cast<unsigned char>((*number >> shift) & 0xFF));
        }
        return true;
    }

    // Comma-separated bytes; a trailing "\" continues the list on the next line.
    bool ReadHexList(std::string_view first, Bytes& bytes) {
        std::string list;
        std::string_view part = TrimRight(first);
        while (!part.empty() && part.back() == '\\') {
            list += part.substr(0, part.size() - 1);
            if (next_ >= lines_.size()) return false;
            part = TrimRight(TrimLeft(lines_[next_++]));
        }
        list += part;
        std::erase_if(list, IsBlank);
        if (list.empty()) return true;
        std::string_view rest = list;
        while (true) {
            const auto comma = rest.find(',');
            const auto byte = ParseHexNumber(rest.substr(0, comma), 2);
            if (!byte) return false;
            bytes.push_back(static_cast<unsigned char>(*byte));
            if (comma == std::string_view::npos) return true;
            rest.remove_prefix(comma + 1);
        }
    }

    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
    std::optional<KeyPath> section_;
    Hive hive_;
};

// ---- writing -------------------------------------------------------------------------------

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + '"';
}

// A string fits the quoted form when it ends in its only NUL and reads as one line of UTF-8.
bool FitsQuotedForm(const Bytes& data) {
    if (data.empty() || data.back() != 0) return false;
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size() - 1);
    return text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos &&
           platform::text::IsValidUtf8(text);
}

std::string HexList(std::size_t column, const Bytes& data) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0) {
            out += ',';
            ++column;
            if (column + 3 > kHexLineWidth) {
                out += "\\\n  ";
                column = 2;
            }
        }
        out += kDigits[data[i] >> 4];
        out += kDigits[data[i] & 0x0F];
        column += 2;
    }
    return out;
}

std::string DataText(std::size_t column, const Value& value) {
    if (value.type == REG_SZ && FitsQuotedForm(value.data)) {
        return Quoted(std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                       value.data.size() - 1));
    }
    if (value.type == REG_DWORD && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | value.data[static_cast<std::size_t>(i)];
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", number);
        return std::string("dword:") + digits;
    }
    char prefix[16];
    if (value.type == REG_BINARY) {
        std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
    }
    return prefix + HexList(column + std::string_view(prefix).size(), value.data);
}

std::string ValueLine(const Value& value) {
    std::string line = (value.name.empty() ? std::string("@") : Quoted(value.name)) + "=";
    return line + DataText(line.size(), value) + "\n";
}

}  // namespace

std::optional<Hive> ParseHive(std::string_view text) {
    if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
    if (text.empty()) return Hive{};
    return Parser(SplitLines(text)).Run();
}

std::string SerializeHive(const Hive& hive) {
    std::string text = std::string(kHeader) + "\n";
    for (const Key& key : hive.Keys()) {
        text += "\n[" + std::string(kRootName);
        for (const std::string& component : key.path) text += "\\" + component;
        text += "]\n";
        for (const Value& value : key.values) text += ValueLine(value);
    }
    return text;
}

bool IsStorableName(const std::string& name) {
    return name.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos &&
           platform::text::IsValidUtf8(name);
}

}  // namespace platform::hive
