// The settings file's reader and writer: whatever the reader accepts, the writer writes in a
// form the reader takes back to the same keys and values, and writing that again gives the
// same bytes. Whatever it refuses, it says why.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <tuple>

#include "platform/posix/hive_file.h"

namespace {

using namespace platform::hive;

// The same keys, each with the same values in the same order.
bool SameHive(const Hive& a, const Hive& b) {
    const auto fields = [](const Value& v) { return std::tie(v.name, v.type, v.data); };
    return std::ranges::equal(a.Keys(), b.Keys(), [&](const Key& x, const Key& y) {
        return x.path == y.path && std::ranges::equal(x.values, y.values, {}, fields, fields);
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ParsedHive first = ParseHiveFile(bytes);
    if (!first.hive) {
        if (first.problem.what.empty() || first.problem.line == 0) __builtin_trap();
        return 0;
    }
    const std::string written = WriteHiveFile(*first.hive, first.form);
    const ParsedHive second = ParseHiveFile(written);
    if (!second.hive || !SameHive(*first.hive, *second.hive)) __builtin_trap();
    if (WriteHiveFile(*second.hive, second.form) != written) __builtin_trap();
    return 0;
}
