#include "engine/file_copy.h"

#include "core/path_utils.h"
#include "core/product_profile.h"
#include "core/setup_state.h"
#include "core/text.h"
#include "engine/reboot_delete.h"
#include "win/code_page.h"
#include "win/failure_trace.h"
#include "win/folder_entries.h"
#include "win/handles.h"

#include <windows.h>

#include <string>

namespace {

constexpr DWORD replaceBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

bool IsFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// What is known of the source file; attributes INVALID_FILE_ATTRIBUTES when
// it does not exist.
struct SourceFacts {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    FILETIME lastWrite = {};
    DWORD sizeHigh = 0;
    DWORD sizeLow = 0;
};

SourceFacts LookUpSource(const std::string& path)
{
    SourceFacts facts;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return facts;
    facts.attributes = data.dwFileAttributes;
    facts.lastWrite = data.ftLastWriteTime;
    facts.sizeHigh = data.nFileSizeHigh;
    facts.sizeLow = data.nFileSizeLow;
    return facts;
}

SourceFacts FoundSource(const WIN32_FIND_DATAA& match)
{
    SourceFacts facts;
    facts.attributes = match.dwFileAttributes;
    facts.lastWrite = match.ftLastWriteTime;
    facts.sizeHigh = match.nFileSizeHigh;
    facts.sizeLow = match.nFileSizeLow;
    return facts;
}

// Two names for one file (a short name, another spelling of the folder):
// deleting the "target" would then destroy the source. Only a target of the
// source's size and time can be it, so most targets cost no more lookups.
bool IsSameFile(const std::string& source, const SourceFacts& facts, const std::string& target,
                const WIN32_FILE_ATTRIBUTE_DATA& targetData)
{
    if (targetData.nFileSizeHigh != facts.sizeHigh || targetData.nFileSizeLow != facts.sizeLow ||
        CompareFileTime(&targetData.ftLastWriteTime, &facts.lastWrite) != 0)
        return false;
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    KernelHandle first(CreateFileA(source.c_str(), 0, share, nullptr, OPEN_EXISTING, 0, nullptr));
    KernelHandle second(CreateFileA(target.c_str(), 0, share, nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION x;
    BY_HANDLE_FILE_INFORMATION y;
    if (!first.IsValid() || !second.IsValid() || !GetFileInformationByHandle(first.Get(), &x) ||
        !GetFileInformationByHandle(second.Get(), &y))
        return false;
    return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
           x.nFileIndexLow == y.nFileIndexLow;
}

// Windows lets a running program or a loaded library be renamed though not
// deleted: the new file goes in beside it and the old one at the next start.
void MoveAside(const std::string& target)
{
    const std::string backup = target + ProductProfile::backupSuffix;
    if (!FitsMaxPath(backup)) return;
    DeleteFileA(backup.c_str());
    MoveFileA(target.c_str(), backup.c_str());
    DeleteAtReboot(backup);
}

// source is known to be a file.
int CopyOverTarget(const std::string& source, const SourceFacts& facts, const std::string& target)
{
    // Most targets do not exist yet: one call, and no separate lookup of a
    // name that is not there.
    if (CopyFileA(source.c_str(), target.c_str(), TRUE)) return 1;
    WIN32_FILE_ATTRIBUTE_DATA targetData;
    if (!GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &targetData)) return 0;
    const DWORD attributes = targetData.dwFileAttributes;
    // A folder in the way is not ours to move aside.
    if (IsFolder(attributes)) return 0;
    if (IsSameFile(source, facts, target, targetData)) return 1;
    if (attributes & replaceBlockingAttributes)
        SetFileAttributesA(target.c_str(), attributes & ~replaceBlockingAttributes);
    if (!DeleteFileA(target.c_str())) MoveAside(target);
    return CopyFileA(source.c_str(), target.c_str(), FALSE) ? 1 : 0;
}

// A rename within one folder, done as a copy; a target that cannot be
// deleted stays and counts as done.
int CopyInPlace(const std::string& source, const SourceFacts& facts, const std::string& target)
{
    WIN32_FILE_ATTRIBUTE_DATA targetData;
    const bool targetExists = GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &targetData) != FALSE;
    if (facts.attributes == INVALID_FILE_ATTRIBUTES) return targetExists ? 1 : 0;
    if (IsFolder(facts.attributes)) return 0;
    if (targetExists) {
        if (IsSameFile(source, facts, target, targetData)) return 1;
        if (!DeleteFileA(target.c_str())) return 1;
    }
    return CopyFileA(source.c_str(), target.c_str(), FALSE) ? 1 : 0;
}

// known: what a search already found out about the source, so that it need
// not be asked again; null to look it up.
int CopyOne(const char* fileName, const char* sourceFolder, const char* destFolder, const char* newName,
            const SourceFacts* known)
{
    if (fileName == nullptr) return 0;
    const std::string from = WithSeparator(sourceFolder != nullptr ? sourceFolder : "", IsCodePageLeadByte);
    const std::string to = WithSeparator(destFolder != nullptr ? destFolder : "", IsCodePageLeadByte);
    const bool sameFolder = SameTextIgnoringCase(from, to);
    if (sameFolder && newName == nullptr) return 1;

    const std::string source = from + fileName;
    const std::string target = to + (newName != nullptr ? newName : fileName);
    if (!FitsMaxPath(source) || !FitsMaxPath(target)) return 0;
    const SourceFacts facts = known != nullptr ? *known : LookUpSource(source);
    int done = 0;
    if (sameFolder) {
        done = CopyInPlace(source, facts, target);
    } else {
        // Checked first, so that a missing source leaves the target as it is.
        if (facts.attributes == INVALID_FILE_ATTRIBUTES) return 0;
        if (IsFolder(facts.attributes)) {
            SetLastError(ERROR_DIRECTORY);  // what a trace of the failure says
            return 0;
        }
        done = CopyOverTarget(source, facts, target);
    }
    // What the Add/Remove Programs entry gives as the installation's size.
    if (done) setupState.copiedBytes += (std::uint64_t{facts.sizeHigh} << 32) | facts.sizeLow;
    return done;
}

}  // namespace

int CopyOneFile(const char* fileName, const char* sourceFolder, const char* destFolder, const char* newName)
{
    return CopyOne(fileName, sourceFolder, destFolder, newName, nullptr);
}

int CopyMatchingFiles(const char* pattern, const char* sourceFolder, const char* destFolder)
{
    if (pattern == nullptr) return 0;
    const std::string folder = sourceFolder != nullptr ? sourceFolder : "";
    FolderEntries matches(folder, pattern);
    if (!matches.Next()) {
        TraceLastError("copy file", JoinSearchPath(folder, pattern, IsCodePageLeadByte));
        return 0;
    }

    // Creating an existing folder fails harmlessly; asking first would cost
    // one more lookup per call.
    CreateDirectoryA(destFolder != nullptr ? destFolder : "", nullptr);
    int copied = 0;
    do {
        const SourceFacts facts = FoundSource(matches.Entry());
        if (!CopyOne(matches.Name(), sourceFolder, destFolder, nullptr, &facts)) {
            TraceLastError("copy file", JoinSearchPath(folder, matches.Name(), IsCodePageLeadByte));
            break;
        }
        ++copied;
    } while (matches.Next());
    return copied;
}
