#pragma once
// The registry hive in memory: keys in the order first seen, each with its values in the order
// first seen. Names compare as Windows compares them: ASCII letters without regard to case.

#include <cstdint>
#include <string>
#include <vector>

namespace platform::hive {

using Bytes = std::vector<unsigned char>;
using KeyPath = std::vector<std::string>;  // components below HKEY_LOCAL_MACHINE

struct Value {
    std::string name;  // empty: the key's default value
    std::uint32_t type = 0;
    Bytes data;
};

struct Key {
    KeyPath path;  // spelled as first seen
    std::vector<Value> values;

    const Value* FindValue(const std::string& name) const;
    // Replaces the data of a value of that name (keeping its first spelling) or appends it.
    void SetValue(Value value);
    void RemoveValue(const std::string& name);
};

bool SameName(const std::string& a, const std::string& b);
bool SamePath(const KeyPath& a, const KeyPath& b);
// Whether `prefix` is `path` itself or one of its ancestors.
bool IsSameOrAncestor(const KeyPath& prefix, const KeyPath& path);

// "\"-separated components; empty ones are dropped, so a trailing "\" is harmless.
KeyPath SplitKeyPath(const std::string& text);

class Hive {
public:
    const Key* FindKey(const KeyPath& path) const;
    // Returns the key, creating it and its missing ancestors as regedit's import does.
    Key& EnsureKey(const KeyPath& path);
    const std::vector<Key>& Keys() const { return keys_; }

private:
    Key* FindMutableKey(const KeyPath& path);
    std::vector<Key> keys_;
};

}  // namespace platform::hive
