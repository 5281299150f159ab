// A folder's entries found by name without asking the file system again:
// the lookup one listing of the folder allows in place of a search per file.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// True for a name the index can answer for the file system: printable ASCII
// without wildcards ("*", "?" and the "<", ">", '"' a search may treat as
// such) and not ending in "." or " ", which a search would strip. Other names
// are looked up on the machine.
bool IsIndexableName(const std::string& name);

// Entries by name, with the letters A to Z folded as the file system folds
// them; each entry may be added under its short name too.
class NameIndex {
public:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    void Add(const std::string& name, std::size_t entry);
    // The entry added under name, or none.
    std::size_t Find(const std::string& name);

private:
    std::vector<std::pair<std::string, std::size_t>> names_;
    bool sorted_ = true;
};
