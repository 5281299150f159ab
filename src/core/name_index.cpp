#include "core/name_index.h"

#include <algorithm>
#include <cstring>

namespace {

std::string Folded(const std::string& name)
{
    std::string key = name;
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
}

}  // namespace

bool IsIndexableName(const std::string& name)
{
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7f || std::strchr("*?<>\"\\/", c) != nullptr) return false;
    }
    return true;
}

void NameIndex::Add(const std::string& name, std::size_t entry)
{
    if (name.empty()) return;
    names_.emplace_back(Folded(name), entry);
    sorted_ = false;
}

std::size_t NameIndex::Find(const std::string& name)
{
    if (!sorted_) {
        std::sort(names_.begin(), names_.end());
        sorted_ = true;
    }
    const std::string key = Folded(name);
    auto at = std::lower_bound(names_.begin(), names_.end(), std::make_pair(key, std::size_t{0}));
    return at != names_.end() && at->first == key ? at->second : none;
}
