#include "poicompiler/poi.h"

#include <cstdint>
#include <limits>

#include "poicompiler/error.h"

namespace poicompiler {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::int64_t kMicro = 1'000'000;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class LineParser {
public:
    LineParser(std::string_view line, const std::string& label, std::size_t number)
        : rest_(line), where_(label + ":" + std::to_string(number) + ": ") {}

    Poi Parse() {
        Poi poi;
        poi.lon = Coordinate("longitude", 180);
        poi.lat = Coordinate("latitude", 90);
        const bool has_comment = Text(poi.name, "name", /*stop_at_comma=*/true);
        if (Trim(poi.name).empty()) Fail("empty name");
        if (has_comment) Text(poi.comment, "comment", /*stop_at_comma=*/false);
        return poi;
    }

private:
    [[noreturn]] void Fail(const std::string& why) const { throw CompileError(where_ + why); }

    std::int32_t Coordinate(const char* what, int limit) {
        const std::size_t comma = rest_.find(',');
        if (comma == std::string_view::npos) Fail("expected longitude,latitude,name[,comment]");
        const std::string_view field = rest_.substr(0, comma);
        rest_.remove_prefix(comma + 1);
        const Degrees d = ParseDegrees(field, limit);
        const std::string shown = "\"" + std::string(field) + "\"";
        if (d.status == DegreeStatus::kNotANumber) {
            Fail(std::string(what) + " " + shown + " is not a decimal number");
        }
        if (d.status == DegreeStatus::kOutOfRange) {
            Fail(std::string(what) + " " + shown + " is outside -" + std::to_string(limit) + ".." +
                 std::to_string(limit));
        }
        return d.micro;
    }

    // Reads a quoted or plain field into `out`; true when a comma follows it.
    bool Text(std::string& out, const char* what, bool stop_at_comma) {
        const std::string_view lead = rest_.substr(0, rest_.find_first_not_of(" \t"));
        if (lead.size() < rest_.size() && rest_[lead.size()] == '"') {
            rest_.remove_prefix(lead.size() + 1);
            Quoted(out, what);
            rest_ = Trim(rest_);
            if (rest_.empty()) return false;
            if (rest_.front() != ',' || !stop_at_comma) {
                Fail(std::string("unexpected text after the quoted ") + what);
            }
            rest_.remove_prefix(1);
            return true;
        }
        const std::size_t comma = stop_at_comma ? rest_.find(',') : std::string_view::npos;
        out = Trim(rest_.substr(0, comma));
        if (comma == std::string_view::npos) return false;
        rest_.remove_prefix(comma + 1);
        return true;
    }

    void Quoted(std::string& out, const char* what) {
        for (std::size_t i = 0; i < rest_.size(); ++i) {
            if (rest_[i] != '"') {
                out.push_back(rest_[i]);
            } else if (i + 1 < rest_.size() && rest_[i + 1] == '"') {
                out.push_back('"');
                ++i;
            } else {
                rest_.remove_prefix(i + 1);
                return;
            }
        }
        Fail(std::string("unterminated quote in ") + what);
    }

    std::string_view rest_;
    std::string where_;
};

void CheckLength(const std::string& text, const std::string& where) {
    if (text.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw CompileError(where + "text longer than 65535 bytes");
    }
}

}  // namespace

Degrees ParseDegrees(std::string_view text, int limit) {
    const std::string_view s = Trim(text);
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    std::int64_t whole = 0;
    bool whole_too_big = false;
    std::size_t digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) {
        whole = whole * 10 + (s[i] - '0');
        if (whole > 1000) {
            whole_too_big = true;
            whole = 1000;
        }
    }
    std::int64_t frac = 0;
    int frac_digits = 0;
    bool round_up = false;
    bool beyond = false;  // any non-zero digit after the sixth decimal
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && IsDigit(s[i]); ++i, ++digits) {
            const int d = s[i] - '0';
            if (frac_digits < 6) {
                frac = frac * 10 + d;
                ++frac_digits;
            } else {
                if (frac_digits == 6) round_up = d >= 5;
                beyond = beyond || d != 0;
                frac_digits = 7;
            }
        }
    }
    if (digits == 0 || i != s.size()) return {};
    for (int k = frac_digits; k < 6; ++k) frac *= 10;
    const std::int64_t micro = whole * kMicro + frac;
    const std::int64_t bound = limit * kMicro;
    if (whole_too_big || micro > bound || (micro == bound && beyond)) {
        return {DegreeStatus::kOutOfRange, 0};
    }
    const std::int64_t rounded = micro + (round_up ? 1 : 0);
    return {DegreeStatus::kOk, static_cast<std::int32_t>(negative ? -rounded : rounded)};
}

std::vector<Poi> ParsePois(std::string_view text, const std::string& label) {
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    std::vector<Poi> pois;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (Trim(line).empty()) continue;
        Poi poi = LineParser(line, label, number).Parse();
        const std::string where = label + ":" + std::to_string(number) + ": ";
        CheckLength(poi.name, where);
        CheckLength(poi.comment, where);
        pois.push_back(std::move(poi));
    }
    return pois;
}

}  // namespace poicompiler
