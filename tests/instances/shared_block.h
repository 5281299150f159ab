// The test's own view of the instance list: the named mapping and the list
// mutex opened or created by name, as another program would, read and
// written under the lock.
#pragma once

#include "framework/win_handles.h"

#include <cstdint>
#include <string>
#include <vector>

class SharedBlock {
public:
    explicit SharedBlock(const std::string& instanceName);

    static bool Exists(const std::string& instanceName);

    // Opens the existing mapping; false when there is none.
    bool Open();
    // Creates the mapping as a first manager would (same size, zero-filled);
    // false when it existed already or could not be made.
    bool Create();

    // The 4008 bytes of the list.
    std::vector<unsigned char> Read() const;
    // Header 1, the ids, every other slot 0.
    void Fill(const std::vector<std::uint32_t>& ids);
    // Size of the whole mapping, as the system gives it to a full view.
    std::size_t MappingSize() const;

private:
    std::string instanceName_;
    KernelHandle mapping_;
    KernelHandle mutex_;
};

// The block bytes a list of ids must give: header 1, count, ids, zeros.
std::vector<unsigned char> ExpectedBlock(const std::vector<std::uint32_t>& ids);
// "" when equal, else the first word that differs, by name.
std::string BlockDifference(const std::vector<unsigned char>& actual, const std::vector<unsigned char>& expected);
