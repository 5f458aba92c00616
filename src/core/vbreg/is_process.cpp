#include "core/vbreg/is_process.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/utils/error_report.h"
#include "core/vbreg/system_info.h"
#include "platform/platform.h"

namespace vbreg {

namespace {

constexpr std::uint32_t kProcessRecordSize = 296;

// Decimal numbers of any length compared by value: fewer significant digits is smaller.
int CompareDecimal(std::string_view left, std::string_view right) {
    const auto significant = [](std::string_view digits) {
        const auto first = digits.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view{} : digits.substr(first);
    };
    left = significant(left);
    right = significant(right);
    if (left.size() != right.size()) return left.size() < right.size() ? -1 : 1;
    return left.compare(right) < 0 ? -1 : (left.compare(right) > 0 ? 1 : 0);
}

// Splits "a.b.c" into three runs of digits; anything else does not parse.
bool SplitVersion(std::string_view text, std::array<std::string_view, 3>* parts) {
    for (std::size_t i = 0; i < parts->size(); ++i) {
        const auto dot = text.find('.');
        const bool last = i + 1 == parts->size();
        if (last != (dot == std::string_view::npos)) return false;
        const std::string_view part = last ? text : text.substr(0, dot);
        const bool digits = !part.empty() && std::all_of(part.begin(), part.end(), [](char c) {
            return c >= '0' && c <= '9';
        });
        if (!digits) return false;
        (*parts)[i] = part;
        if (!last) text.remove_prefix(dot + 1);
    }
    return true;
}

}  // namespace

// Compared as numbers, not as text: as text "2.10.0" sorts below "2.4.0", and a newer system
// would skip the wait for the compiler. A version that does not parse consults nothing, like
// a failed version query (0.0.0).
bool ConsultsProcessList(const std::string& shortVersion) {
    std::array<std::string_view, 3> parts;
    if (!SplitVersion(shortVersion, &parts)) return false;
    constexpr std::array<std::string_view, 3> kLastWithoutList = {"2", "4", "0"};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const int order = CompareDecimal(parts[i], kLastWithoutList[i]);
        if (order != 0) return order > 0;
    }
    return false;
}

std::int16_t isProcess(std::int32_t processId) {
    int statement = 0;
    try {
        statement = 20;
        std::int32_t foundId = -1;
        statement = 30;
        const std::string version = GetOSVersion();
        statement = 40;
        if (!ConsultsProcessList(version)) {
            statement = 50;
            return 0;
        }
        statement = 80;
        const platform::HANDLE snapshot =
            platform::CreateToolhelp32Snapshot(platform::TH32CS_SNAPALL, 0);
        statement = 90;
        platform::PROCESSENTRY32 entry;
        entry.dwSize = kProcessRecordSize;
        statement = 100;
        bool entryRead = platform::Process32First(snapshot, &entry);
        for (;;) {
            statement = 110;
            if (!entryRead) break;
            statement = 120;
            if (entry.th32ProcessID == processId) {
                statement = 130;
                foundId = entry.th32ProcessID;
            }
            statement = 150;
            entryRead = platform::Process32Next(snapshot, &entry);
        }
        statement = 170;
        platform::CloseHandle(snapshot);
        statement = 180;
        return foundId >= 0 ? -1 : 0;
    } catch (const std::exception& failure) {
        Utils::ShowError(failure, "vbreg", "isProcess", statement);
    }
}

}  // namespace vbreg
