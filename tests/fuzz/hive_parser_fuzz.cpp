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

auto Fields(const Value& value) {
    return std::tie(value.name, value.type, value.data);
}

bool SameKey(const Key& a, const Key& b) {
    return a.path == b.path && std::ranges::equal(a.values, b.values, {}, Fields, Fields);
}

bool SameHive(const Hive& a, const Hive& b) {
    return std::ranges::equal(a.Keys(), b.Keys(), SameKey);
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
