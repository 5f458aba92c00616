#include "platform/posix/hive_text.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/platform.h"
#include "platform/text/utf8.h"

namespace platform::hive {

namespace {

constexpr std::string_view kRegedit4 = "REGEDIT4";
constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE";
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

std::optional<HiveHeader> HeaderOf(std::string_view line) {
    line = TrimRight(line);
    if (line == kRegedit4) return HiveHeader::kRegedit4;
    if (line == kVersion5) return HiveHeader::kVersion5;
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

    ParsedHive Run() {
        ParsedHive parsed;
        const auto header = HeaderOf(lines_.front());
        if (!header) {
            parsed.problem = {
                1, "die erste Zeile ist nicht „REGEDIT4“ oder „" + std::string(kVersion5) + "“"};
            return parsed;
        }
        parsed.form.header = *header;
        for (next_ = 1; next_ < lines_.size();) {
            const std::string_view line = TrimLeft(lines_[next_++]);
            if (TrimRight(line).empty() || line.front() == ';') continue;
            const bool ok = line.front() == '[' ? ReadSection(line) : ReadValueLine(line);
            if (!ok) {
                parsed.problem = std::move(problem_);
                return parsed;
            }
        }
        parsed.hive = std::move(hive_);
        return parsed;
    }

private:
    bool Fail(std::string what) {
        problem_ = {next_, std::move(what)};
        return false;
    }

    bool ReadSection(std::string_view line) {
        line = TrimRight(line);
        if (line.size() < 2 || line.back() != ']') return Fail("„]“ fehlt am Ende der Zeile");
        const std::string_view inside = line.substr(1, line.size() - 2);
        if (inside.starts_with('-')) return Fail("Schlüssel löschen („[-…]“) geht hier nicht");
        const std::string_view root = inside.substr(0, inside.find('\\'));
        if (!SameName(std::string(root), std::string(kRootName))) {
            return Fail("nur HKEY_LOCAL_MACHINE ist möglich, nicht „" + std::string(root) + "“");
        }
        section_ = SplitKeyPath(std::string(inside.substr(root.size())));
        hive_.EnsureKey(*section_);
        return true;
    }

    bool ReadValueLine(std::string_view line) {
        if (!section_) return Fail("Wert vor der ersten Zeile „[HKEY_LOCAL_MACHINE\\…]“");
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else if (line.front() != '"') {
            return Fail("der Name muss in Anführungszeichen stehen oder „@“ sein");
        } else if (!ReadQuoted(line, name)) {
            return false;
        }
        line = TrimLeft(line);
        if (line.empty() || line.front() != '=') return Fail("„=“ fehlt nach dem Namen");
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
    // Besides regedit's "\\" and "\"", "\n" stands for a line break, as Wine's regedit writes.
    bool ReadQuoted(std::string_view& line, std::string& text) {
        for (std::size_t i = 1; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '"') {
                line.remove_prefix(i + 1);
                return true;
            }
            if (c != '\\') {
                text += c;
            } else if (i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
                text += line[++i];
            } else if (i + 1 < line.size() && line[i + 1] == 'n') {
                text += '\n';
                ++i;
            } else {
                return Fail("„\\“ in Anführungszeichen nur als \\\\, \\\" oder \\n");
            }
        }
        return Fail("Anführungszeichen nicht geschlossen");
    }

    bool ReadData(std::string_view data, Value& value) {
        if (!data.empty() && data.front() == '"') {
            std::string text;
            if (!ReadQuoted(data, text)) return false;
            if (!TrimRight(data).empty())
                return Fail("Zeichen hinter dem Text in Anführungszeichen");
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
            const auto type = close == std::string_view::npos
                                  ? std::nullopt
                                  : ParseHexNumber(data.substr(4, close - 4), 8);
            if (!type) return Fail("„hex(“ braucht einen Typ aus 1 bis 8 Hex-Ziffern und „):“");
            value.type = *type;
            return ReadHexList(data.substr(close + 2), value.data);
        }
        return Fail("nach „=“ fehlt \"Text\", dword:, hex: oder hex(Typ):");
    }

    bool ReadDword(std::string_view digits, Value& value) {
        const auto number = ParseHexNumber(TrimRight(digits), 8);
        if (!number) return Fail("„dword:“ braucht 1 bis 8 Hex-Ziffern");
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
            if (next_ >= lines_.size()) return Fail("„\\“ am Zeilenende, aber keine Zeile folgt");
            part = TrimRight(TrimLeft(lines_[next_++]));
        }
        list += part;
        std::erase_if(list, IsBlank);
        if (list.empty()) return true;
        std::string_view rest = list;
        while (true) {
            const auto comma = rest.find(',');
            const auto byte = ParseHexNumber(rest.substr(0, comma), 2);
            if (!byte)
                return Fail("„" + std::string(rest.substr(0, comma)) + "“ ist kein Hex-Byte");
            bytes.push_back(static_cast<unsigned char>(*byte));
            if (comma == std::string_view::npos) return true;
            rest.remove_prefix(comma + 1);
        }
    }

    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;  // also the number of the line being read
    std::optional<KeyPath> section_;
    Hive hive_;
    HiveProblem problem_;
};

// ---- writing -------------------------------------------------------------------------------

// A line break can only come from a name read with Wine's escape; values with one are hex.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out + '"';
}

// A string fits the quoted form when it ends in its only NUL and the rest could be a name.
bool FitsQuotedForm(const Bytes& data) {
    if (data.empty() || data.back() != 0) return false;
    return IsStorableName({reinterpret_cast<const char*>(data.data()), data.size() - 1});
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

ParsedHive ParseHiveText(std::string_view text) {
    if (text.empty()) return {Hive{}, HiveForm{}, HiveProblem{}};
    ParsedHive parsed = Parser(SplitLines(text)).Run();
    const auto firstEnd = text.find('\n');
    parsed.form.crLf =
        firstEnd != std::string_view::npos && firstEnd > 0 && text[firstEnd - 1] == '\r';
    return parsed;
}

std::string SerializeHiveText(const Hive& hive, HiveHeader header, bool crLf) {
    std::string text(header == HiveHeader::kVersion5 ? kVersion5 : kRegedit4);
    text += "\n";
    for (const Key& key : hive.Keys()) {
        text += "\n[" + std::string(kRootName);
        for (const std::string& component : key.path) text += "\\" + component;
        text += "]\n";
        for (const Value& value : key.values) text += ValueLine(value);
    }
    if (!crLf) return text;
    std::string withCrLf;
    withCrLf.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') withCrLf += '\r';
        withCrLf += c;
    }
    return withCrLf;
}

bool IsStorableName(std::string_view name) {
    return name.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos &&
           platform::text::IsValidUtf8(name);
}

}  // namespace platform::hive
