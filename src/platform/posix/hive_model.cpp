#include "platform/posix/hive_model.h"

#include <algorithm>

namespace platform::hive {

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

bool SamePath(const KeyPath& a, const KeyPath& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameName);
}

bool IsSameOrAncestor(const KeyPath& prefix, const KeyPath& path) {
    return prefix.size() <= path.size() &&
           std::equal(prefix.begin(), prefix.end(), path.begin(), SameName);
}

KeyPath SplitKeyPath(const std::string& text) {
    KeyPath components;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        const auto end = std::min(text.find('\\', start), text.size());
        if (end > start) components.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return components;
}

const Value* Key::FindValue(const std::string& name) const {
    for (const Value& value : values) {
        if (SameName(value.name, name)) return &value;
    }
    return nullptr;
}

void Key::SetValue(Value value) {
    for (Value& existing : values) {
        if (SameName(existing.name, value.name)) {
            existing.type = value.type;
            existing.data = std::move(value.data);
            return;
        }
    }
    values.push_back(std::move(value));
}

void Key::RemoveValue(const std::string& name) {
    std::erase_if(values, [&](const Value& value) { return SameName(value.name, name); });
}

const Key* Hive::FindKey(const KeyPath& path) const {
    for (const Key& key : keys_) {
        if (SamePath(key.path, path)) return &key;
    }
    return nullptr;
}

Key* Hive::FindMutableKey(const KeyPath& path) {
    return const_cast<Key*>(static_cast<const Hive*>(this)->FindKey(path));
}

Key& Hive::EnsureKey(const KeyPath& path) {
    // Ancestors first, so the stored order lists a parent before its children.
    for (std::size_t length = path.empty() ? 0 : 1; length <= path.size(); ++length) {
        const KeyPath prefix(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(length));
        if (FindMutableKey(prefix) == nullptr) keys_.push_back(Key{prefix, {}});
    }
    return *FindMutableKey(path);
}

}  // namespace platform::hive
