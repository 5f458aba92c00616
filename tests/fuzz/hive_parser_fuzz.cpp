// The settings file's reader and writer: whatever the reader accepts, the writer writes in a
// form the reader takes back to the same keys and values, and writing that again gives the
// same bytes. Whatever it refuses, it says why.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/posix/hive_file.h"

namespace {

using namespace platform::hive;

bool SameHive(const Hive& a, const Hive& b) {
    if (a.Keys().size() != b.Keys().size()) return false;
    for (std::size_t k = 0; k < a.Keys().size(); ++k) {
        const Key& x = a.Keys()[k];
        const Key& y = b.Keys()[k];
        if (x.path != y.path || x.values.size() != y.values.size()) return false;
        for (std::size_t v = 0; v < x.values.size(); ++v) {
            const Value& p = x.values[v];
            const Value& q = y.values[v];
            if (p.name != q.name || p.type != q.type || p.data != q.data) return false;
        }
    }
    return true;
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
