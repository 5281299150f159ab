#include "engine/file_copy.h"

#include "core/path_utils.h"
#include "core/product_profile.h"
#include "core/setup_state.h"
#include "core/text.h"
#include "engine/folder_listing.h"
#include "engine/reboot_delete.h"
#include "win/code_page.h"
#include "win/failure_trace.h"
#include "win/folder_entries.h"
#include "win/handles.h"
#include "win/protected_folder.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD replaceBlockingAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

bool IsFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

enum class Identity { same, different, unknown };

// Whether two names lead to one object on disk (a short name, a link,
// another spelling of the folder).
Identity DiskIdentity(const std::string& a, const std::string& b, DWORD flags)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    KernelHandle first(CreateFileA(a.c_str(), 0, share, nullptr, OPEN_EXISTING, flags, nullptr));
    KernelHandle second(CreateFileA(b.c_str(), 0, share, nullptr, OPEN_EXISTING, flags, nullptr));
    BY_HANDLE_FILE_INFORMATION x;
    BY_HANDLE_FILE_INFORMATION y;
    if (!first.IsValid() || !second.IsValid() || !GetFileInformationByHandle(first.Get(), &x) ||
        !GetFileInformationByHandle(second.Get(), &y))
        return Identity::unknown;
    return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
                   x.nFileIndexLow == y.nFileIndexLow
               ? Identity::same
               : Identity::different;
}

// Two names for one file: deleting the "target" would then destroy the
// source. Only a target of the source's size and time can be it, so most
// targets cost no more lookups.
bool IsSameFile(const std::string& source, const FileFacts& facts, const std::string& target,
                const WIN32_FILE_ATTRIBUTE_DATA& targetData)
{
    if ((std::uint64_t{targetData.nFileSizeHigh} << 32 | targetData.nFileSizeLow) != facts.size ||
        CompareFileTime(&targetData.ftLastWriteTime, &facts.lastWrite) != 0)
        return false;
    return DiskIdentity(source, target, 0) == Identity::same;
}

// Windows lets a running program or a loaded library be renamed though not
// deleted: the new file goes in beside it and the old one at the next start,
// which the run then says it needs.
void MoveAside(const std::string& target)
{
    const std::string backup = target + ProductProfile::backupSuffix;
    if (!FitsMaxPath(backup)) return;
    DeleteFileA(backup.c_str());
    if (MoveFileA(target.c_str(), backup.c_str()) && DeleteAtReboot(backup)) setupState.restartNeeded = 1;
}

// Clears what keeps an existing file target from being deleted, deletes it or
// moves it aside, and copies the source over.
int ReplaceTarget(const std::string& source, const std::string& target, DWORD attributes)
{
    if (attributes & replaceBlockingAttributes)
        SetFileAttributesA(target.c_str(), attributes & ~replaceBlockingAttributes);
    // A target that is not there after all needs no moving aside.
    if (!DeleteFileA(target.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) MoveAside(target);
    return CopyFileA(source.c_str(), target.c_str(), FALSE) ? 1 : 0;
}

// source is known to be a file.
int CopyOverTarget(const std::string& source, const FileFacts& facts, const std::string& target)
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
    return ReplaceTarget(source, target, attributes);
}

// A rename within one folder, done as a copy; a target that cannot be
// deleted stays and counts as done.
int CopyInPlace(const std::string& source, const FileFacts& facts, const std::string& target)
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
            const FileFacts* known)
{
    if (fileName == nullptr) return 0;
    const std::string from = WithSeparator(sourceFolder != nullptr ? sourceFolder : "", IsCodePageLeadByte);
    const std::string to = WithSeparator(destFolder != nullptr ? destFolder : "", IsCodePageLeadByte);
    const bool sameFolder = SameTextIgnoringCase(from, to);
    if (sameFolder && newName == nullptr) return 1;

    const std::string source = from + fileName;
    const std::string target = to + (newName != nullptr ? newName : fileName);
    if (!FitsMaxPath(source) || !FitsMaxPath(target)) return 0;
    const FileFacts facts = known != nullptr ? *known : LookUpFile(source);
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
    return done;
}

}  // namespace

int CopyOneFile(const char* fileName, const char* sourceFolder, const char* destFolder, const char* newName)
{
    return CopyOne(fileName, sourceFolder, destFolder, newName, nullptr);
}

namespace {

// Copies each match of pattern in folder, in the search's order, until a copy
// fails; makeDest runs once, before the first copy, and only when something
// matches.
template <typename MakeDest, typename CopyMatch>
int CopyEachMatch(const std::string& folder, const char* pattern, MakeDest makeDest, CopyMatch copy)
{
    FolderEntries matches(folder, pattern);
    if (!matches.Next()) {
        TraceIncompleteLastError("copy file", JoinSearchPath(folder, pattern, IsCodePageLeadByte));
        return 0;
    }
    makeDest();
    int copied = 0;
    do {
        if (!copy(matches.Name(), FoundFile(matches.Entry()))) {
            TraceIncompleteLastError("copy file", JoinSearchPath(folder, matches.Name(), IsCodePageLeadByte));
            break;
        }
        ++copied;
    } while (matches.Next());
    return copied;
}

}  // namespace

int CopyMatchingFiles(const char* pattern, const char* sourceFolder, const char* destFolder)
{
    if (pattern == nullptr) return 0;
    return CopyEachMatch(
        sourceFolder != nullptr ? sourceFolder : "", pattern,
        // Creating an existing folder fails harmlessly; asking first would
        // cost one more lookup per call.
        [&] { CreateProtectedFolder(destFolder != nullptr ? destFolder : ""); },
        [&](const char* name, const FileFacts& facts) {
            return CopyOne(name, sourceFolder, destFolder, nullptr, &facts);
        });
}

namespace {

// Whether two folders are one on disk (a short name, a link, another
// spelling); true too when that cannot be told, which keeps every check.
bool MayBeOneFolder(const std::string& a, const std::string& b)
{
    return DiskIdentity(a, b, FILE_FLAG_BACKUP_SEMANTICS) != Identity::different;
}

}  // namespace

FolderCopy::FolderCopy(const std::string& sourceFolder, const std::string& destFolder)
    : sourceFolder_(sourceFolder), destFolder_(destFolder), from_(WithSeparator(sourceFolder, IsCodePageLeadByte)),
      to_(WithSeparator(destFolder, IsCodePageLeadByte))
{
    perFile_ = SameTextIgnoringCase(from_, to_);
    if (perFile_) return;
    // A listing that stopped on an error would report files as missing:
    // every decision is then made per file.
    const bool listed = source_.List(sourceFolder_) && dest_.List(destFolder_);
    destMade_ = dest_.Exists();
    // Only a target in a folder that is the source's own can be its source.
    perFile_ = !listed || (destMade_ && MayBeOneFolder(from_, to_));
}

FolderCopy::~FolderCopy() = default;

void FolderCopy::MakeDestFolder()
{
    // Creating an existing folder fails harmlessly; only its last level.
    if (!destMade_) CreateProtectedFolder(destFolder_);
    destMade_ = true;
}

int FolderCopy::CopyFound(const FolderEntry& source, const std::string& targetName)
{
    const std::string sourcePath = from_ + source.name;
    const std::string target = to_ + targetName;
    if (!FitsMaxPath(sourcePath) || !FitsMaxPath(target)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);  // what a trace of the failure says
        return 0;
    }
    if (IsFolder(source.facts.attributes)) {
        SetLastError(ERROR_DIRECTORY);
        return 0;
    }
    bool absent = false;
    FolderEntry* listed = dest_.Find(targetName, absent);
    int copied = 0;
    if (listed == nullptr) {
        copied = CopyOverTarget(sourcePath, source.facts, target);
    } else if (IsFolder(listed->facts.attributes)) {
        SetLastError(ERROR_DIRECTORY);
        return 0;
    } else {
        copied = ReplaceTarget(sourcePath, target, listed->facts.attributes);
        // A copy takes its source's attributes.
        if (copied) listed->facts.attributes = source.facts.attributes;
    }
    return copied;
}

int FolderCopy::CopyOne(const char* fileName, const char* newName)
{
    if (perFile_ || fileName == nullptr) return CopyOneFile(fileName, sourceFolder_.c_str(), destFolder_.c_str(), newName);
    bool absent = false;
    const FolderEntry* listed = source_.Find(fileName, absent);
    if (absent) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    // The source is addressed by the name given, as CopyOneFile does.
    FolderEntry source{fileName, listed != nullptr ? listed->facts : LookUpFile(from_ + fileName)};
    if (source.facts.attributes == INVALID_FILE_ATTRIBUTES) return 0;
    return CopyFound(source, newName != nullptr ? newName : fileName);
}

int FolderCopy::CopyMatching(const char* pattern)
{
    if (perFile_ || pattern == nullptr) return CopyMatchingFiles(pattern, sourceFolder_.c_str(), destFolder_.c_str());
    const std::string search = JoinSearchPath(sourceFolder_, pattern, IsCodePageLeadByte);
    bool absent = false;
    const FolderEntry* listed = FitsMaxPath(search) ? source_.Find(pattern, absent) : nullptr;
    if (absent) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        TraceIncompleteLastError("copy file", search);
        return 0;
    }
    if (listed != nullptr) {
        MakeDestFolder();
        if (CopyFound(*listed, listed->name)) return 1;
        TraceIncompleteLastError("copy file", JoinSearchPath(sourceFolder_, listed->name, IsCodePageLeadByte));
        return 0;
    }
    return CopyEachMatch(
        sourceFolder_, pattern, [this] { MakeDestFolder(); },
        [this](const char* name, const FileFacts& facts) { return CopyFound(FolderEntry{name, facts}, name); });
}
