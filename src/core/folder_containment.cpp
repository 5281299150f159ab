#include "core/folder_containment.h"

#include "core/text.h"

namespace {

constexpr const char* systemDriveVariable = "%systemdrive%";

}  // namespace

bool EntriesBelow(const std::string& folder, const std::string& path, LeadByteTest isLeadByte,
                  std::vector<std::string>& entries)
{
    entries.clear();
    const std::string base = WithoutTrailingBackslash(folder, isLeadByte);
    const std::string full = WithoutTrailingBackslash(path, isLeadByte);
    if (base.empty() || !StartsWith(ToLower(full), ToLower(base))) return false;
    if (full.size() == base.size()) return true;
    // The folder's end must be a backslash of its own, not the trail byte of
    // a double-byte character.
    std::size_t at = std::string::npos;
    for (std::size_t b = FindCharacter(full, "\\", 0, isLeadByte); b != std::string::npos && b <= base.size();
         b = FindCharacter(full, "\\", b + 1, isLeadByte))
        at = b;
    if (at != base.size()) return false;
    while (at != std::string::npos) {
        const std::size_t next = FindCharacter(full, "\\", at + 1, isLeadByte);
        const std::string entry = full.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        if (!IsFolderEntryName(entry, isLeadByte)) return false;
        entries.push_back(entry);
        at = next;
    }
    return true;
}

bool LiesInsideOneOf(const std::vector<std::string>& folders, const std::string& path, LeadByteTest isLeadByte,
                     std::size_t& depth)
{
    std::vector<std::string> entries;
    for (const std::string& folder : folders) {
        if (EntriesBelow(folder, path, isLeadByte, entries) && !entries.empty()) {
            depth = entries.size();
            return true;
        }
    }
    return false;
}

std::string ProfileFolderPath(const std::string& value, const std::string& systemDrive)
{
    std::string folder = value;
    if (StartsWith(ToLower(folder), systemDriveVariable))
        folder = systemDrive + folder.substr(std::string(systemDriveVariable).size());
    const bool fromDrive = folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\' &&
                           ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
    if (!fromDrive || folder.find('%') != std::string::npos) return std::string();
    return folder;
}
