#include "shared_block.h"

#include "instances/instance_manager.h"

#include <cstring>

namespace {

constexpr std::size_t blockBytes = 4008;

// The list area and the 1024-byte additional area, each a whole number of
// allocation units, as the manager sizes them.
DWORD MappingBytes()
{
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    DWORD unit = info.dwAllocationGranularity;
    return (blockBytes + unit - 1) / unit * unit + (1024 + unit - 1) / unit * unit;
}

std::uint32_t WordAt(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

void PutWord(std::vector<unsigned char>& bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

SharedBlock::SharedBlock(const std::string& instanceName) : instanceName_(instanceName)
{
    std::string mutexName = COXInstanceManager::listMutexPrefix + instanceName;
    mutex_.Attach(CreateMutexA(nullptr, FALSE, mutexName.c_str()));
}

bool SharedBlock::Exists(const std::string& instanceName)
{
    std::string name = COXInstanceManager::mappingPrefix + instanceName;
    KernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    return mapping.IsValid();
}

bool SharedBlock::Open()
{
    std::string name = COXInstanceManager::mappingPrefix + instanceName_;
    mapping_.Attach(OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name.c_str()));
    return mapping_.IsValid();
}

bool SharedBlock::Create()
{
    std::string name = COXInstanceManager::mappingPrefix + instanceName_;
    SetLastError(ERROR_SUCCESS);
    mapping_.Attach(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0, MappingBytes(),
                                       name.c_str()));
    return mapping_.IsValid() && GetLastError() != ERROR_ALREADY_EXISTS;
}

std::vector<unsigned char> SharedBlock::Read() const
{
    std::vector<unsigned char> bytes;
    MutexLock lock(mutex_.Get());
    MappedView view;
    if (view.Map(mapping_.Get(), FILE_MAP_READ, blockBytes)) {
        const auto* p = static_cast<const unsigned char*>(view.Get());
        bytes.assign(p, p + blockBytes);
    }
    return bytes;
}

void SharedBlock::Fill(const std::vector<std::uint32_t>& ids)
{
    MutexLock lock(mutex_.Get());
    MappedView view;
    if (!view.Map(mapping_.Get(), FILE_MAP_READ | FILE_MAP_WRITE, blockBytes)) return;
    std::vector<unsigned char> bytes = ExpectedBlock(ids);
    std::memcpy(view.Get(), bytes.data(), bytes.size());
}

std::size_t SharedBlock::MappingSize() const
{
    MappedView view;
    if (!view.Map(mapping_.Get(), FILE_MAP_READ, 0)) return 0;
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(view.Get(), &info, sizeof info) == 0) return 0;
    return info.RegionSize;
}

std::vector<unsigned char> ExpectedBlock(const std::vector<std::uint32_t>& ids)
{
    std::vector<unsigned char> bytes(blockBytes, 0);
    PutWord(bytes, 0, 1);
    PutWord(bytes, 4, static_cast<std::uint32_t>(ids.size()));
    for (std::size_t i = 0; i < ids.size(); ++i) PutWord(bytes, 8 + 4 * i, ids[i]);
    return bytes;
}

std::string BlockDifference(const std::vector<unsigned char>& actual, const std::vector<unsigned char>& expected)
{
    if (actual.size() != expected.size())
        return "block of " + std::to_string(actual.size()) + " bytes read, " + std::to_string(expected.size()) +
               " expected";
    for (std::size_t offset = 0; offset < actual.size(); offset += 4) {
        std::uint32_t got = WordAt(actual, offset);
        std::uint32_t want = WordAt(expected, offset);
        if (got == want) continue;
        std::string field = offset == 0 ? "header" : offset == 4 ? "count" : "slot " + std::to_string((offset - 8) / 4);
        return field + ": " + std::to_string(got) + " instead of " + std::to_string(want);
    }
    return "";
}
