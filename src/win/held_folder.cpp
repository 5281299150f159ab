#include "win/held_folder.h"

#include "core/path_utils.h"
#include "win/code_page.h"
#include "win/folder_entries.h"
#include "win/system_library.h"

#include <windows.h>
#include <winternl.h>

namespace {

constexpr DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
constexpr DWORD blocksDeletion = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
constexpr NTSTATUS noMoreFiles = static_cast<NTSTATUS>(0x80000006L);

// The native calls that open relative to a folder's handle and delete
// through a handle. ntdll is in every process of the NT family; the 9x
// family has none of them.
struct NativeCalls {
    using Create = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK, PLARGE_INTEGER, ULONG,
                                    ULONG, ULONG, ULONG, PVOID, ULONG);
    using QueryFolder = NTSTATUS(NTAPI*)(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG,
                                         FILE_INFORMATION_CLASS, BOOLEAN, PUNICODE_STRING, BOOLEAN);
    using SetInformation = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);

    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    Create create = ProcAddress<Create>(ntdll, "NtCreateFile");
    QueryFolder queryFolder = ProcAddress<QueryFolder>(ntdll, "NtQueryDirectoryFile");
    SetInformation setInformation = ProcAddress<SetInformation>(ntdll, "NtSetInformationFile");

    bool Present() const { return create != nullptr && queryFolder != nullptr && setInformation != nullptr; }
};

// Taken at start-up: ntdll is in every process from its start.
const NativeCalls nativeCalls;

const NativeCalls& Native()
{
    return nativeCalls;
}

// A name as the native calls take it, zero-ended. Not std::wstring, which
// would bring its whole library instantiation into setup.exe.
using WideName = std::vector<wchar_t>;

WideName Wide(const std::string& text)
{
    WideName wide(text.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 1);
    return wide;
}

// The entry name of folder, opened through the folder's handle without
// following a link in it.
KernelHandle OpenBelow(HANDLE folder, const WideName& name, ACCESS_MASK access, ULONG options)
{
    const std::size_t length = name.size() - 1;
    UNICODE_STRING text;
    text.Buffer = const_cast<PWSTR>(name.data());
    text.Length = text.MaximumLength = static_cast<USHORT>(length * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK status;
    HANDLE handle = nullptr;
    const ULONG share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    if (length == 0 || length > 255 ||
        Native().create(&handle, access | SYNCHRONIZE | FILE_READ_ATTRIBUTES, &attributes, &status, nullptr, 0,
                        options & FILE_NON_DIRECTORY_FILE ? share | FILE_SHARE_DELETE : share, FILE_OPEN,
                        options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0) < 0)
        return KernelHandle();
    return KernelHandle(handle);
}

// The attributes the object itself reports through its handle.
DWORD AttributesOf(const KernelHandle& handle)
{
    BY_HANDLE_FILE_INFORMATION information;
    return GetFileInformationByHandle(handle.Get(), &information) ? information.dwFileAttributes
                                                                  : INVALID_FILE_ATTRIBUTES;
}

template <class Information>
bool SetInformation(const KernelHandle& handle, Information information, FILE_INFORMATION_CLASS kind)
{
    IO_STATUS_BLOCK status;
    return Native().setInformation(handle.Get(), &status, &information, sizeof information, kind) >= 0;
}

bool DeleteThrough(const KernelHandle& handle, DWORD attributes)
{
    if (attributes & blocksDeletion) {
        FILE_BASIC_INFORMATION basic{};  // zero times: left as they are
        basic.FileAttributes = (attributes & ~blocksDeletion) != 0 ? attributes & ~blocksDeletion : FILE_ATTRIBUTE_NORMAL;
        SetInformation(handle, basic, FileBasicInformation);
    }
    FILE_DISPOSITION_INFORMATION disposition{};
    disposition.DoDeleteFile = TRUE;
    return SetInformation(handle, disposition, FileDispositionInformation);
}

// Each entry of the folder as its listing reports it, until visit returns
// false. The listing tells links apart even where a handle does not (Wine
// opens a symbolic link's target).
template <class Visit>
void ForEachListed(HANDLE folder, Visit visit)
{
    std::vector<ULONGLONG> buffer(8192);  // 64 KB, aligned for the records
    IO_STATUS_BLOCK status;
    for (BOOLEAN restart = TRUE;; restart = FALSE) {
        if (Native().queryFolder(folder, nullptr, nullptr, nullptr, &status, buffer.data(),
                                 static_cast<ULONG>(buffer.size() * sizeof buffer[0]), FileDirectoryInformation, FALSE,
                                 nullptr, restart) < 0)
            return;
        for (const char* at = reinterpret_cast<const char*>(buffer.data());;) {
            const auto* entry = reinterpret_cast<const FILE_DIRECTORY_INFORMATION*>(at);
            WideName name(entry->FileName, entry->FileName + entry->FileNameLength / sizeof(wchar_t));
            name.push_back(L'\0');
            const bool dots = name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
            if (!dots && !visit(name, entry->FileAttributes)) return;
            if (entry->NextEntryOffset == 0) break;
            at += entry->NextEntryOffset;
        }
    }
}

DWORD ListedAttributes(HANDLE folder, const WideName& name)
{
    DWORD found = INVALID_FILE_ATTRIBUTES;
    ForEachListed(folder, [&](const WideName& listed, DWORD attributes) {
        if (lstrcmpiW(listed.data(), name.data()) != 0) return true;
        found = attributes;
        return false;
    });
    return found;
}

bool IsPlainFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & notPlain) == FILE_ATTRIBUTE_DIRECTORY;
}

bool IsPlainFileAttributes(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & notPlain) == 0;
}

}  // namespace

bool HeldFolder::WorksThroughHandles()
{
    return Native().Present();
}

HeldFolder::HeldFolder(const std::string& start) : path_(start)
{
    if (!WorksThroughHandles()) {
        const DWORD attributes = GetFileAttributesA(start.c_str());
        open_ = !start.empty() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        return;
    }
    KernelHandle folder(CreateFileA(start.c_str(), FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    open_ = folder.IsValid() && (AttributesOf(folder) & FILE_ATTRIBUTE_DIRECTORY) != 0;
    levels_.push_back(std::move(folder));
}

bool HeldFolder::Enter(const std::string& name)
{
    if (!open_) return false;
    ++depth_;
    if (WorksThroughHandles()) return open_ = EnterThroughHandle(Wide(name));
    path_ = JoinSearchPath(path_, name, IsCodePageLeadByte);
    return open_ = FitsMaxPath(path_) && IsPlainFolder(GetFileAttributesA(path_.c_str()));
}

bool HeldFolder::EnterThroughHandle(const std::vector<wchar_t>& name)
{
    if (!IsPlainFolder(ListedAttributes(levels_.back().Get(), name))) return false;
    KernelHandle folder = OpenBelow(levels_.back().Get(), name, FILE_LIST_DIRECTORY | FILE_TRAVERSE | DELETE,
                                    FILE_DIRECTORY_FILE | FILE_OPEN_FOR_BACKUP_INTENT);
    if (!folder.IsValid() || !IsPlainFolder(AttributesOf(folder))) return false;
    levels_.push_back(std::move(folder));
    return true;
}

bool HeldFolder::DeletePlainFile(const std::string& name)
{
    if (!open_) return false;
    if (WorksThroughHandles()) return DeleteThroughHandle(Wide(name));
    const std::string path = JoinSearchPath(path_, name, IsCodePageLeadByte);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (!FitsMaxPath(path) || !IsPlainFileAttributes(attributes)) return false;
    if (attributes & blocksDeletion) SetFileAttributesA(path.c_str(), attributes & ~blocksDeletion);
    return ::DeleteFileA(path.c_str()) != FALSE;
}

bool HeldFolder::DeleteThroughHandle(const std::vector<wchar_t>& name)
{
    const KernelHandle file =
        OpenBelow(levels_.back().Get(), name, DELETE | FILE_WRITE_ATTRIBUTES, FILE_NON_DIRECTORY_FILE);
    const DWORD attributes = file.IsValid() ? AttributesOf(file) : INVALID_FILE_ATTRIBUTES;
    return IsPlainFileAttributes(attributes) && DeleteThrough(file, attributes);
}

int HeldFolder::DeletePlainFiles()
{
    if (!open_) return 0;
    int count = 0;
    if (!WorksThroughHandles()) {
        for (FolderEntries found(path_, "*"); found.Next();)
            if (!found.IsFolder() && !found.IsLink() && DeletePlainFile(found.Name())) ++count;
        return count;
    }
    // The whole listing first: deleting while it is read may skip entries.
    std::vector<WideName> files;
    ForEachListed(levels_.back().Get(), [&](const WideName& name, DWORD attributes) {
        if (IsPlainFileAttributes(attributes)) files.push_back(name);
        return true;
    });
    for (const WideName& name : files)
        if (DeleteThroughHandle(name)) ++count;
    return count;
}

bool HeldFolder::RemoveCurrent()
{
    // The start is never removed: only a folder entered from it.
    if (!open_ || depth_ == 0) return false;
    open_ = false;
    if (!WorksThroughHandles()) return RemoveDirectoryA(path_.c_str()) != FALSE;
    // Marked for deletion, the folder goes when its handle closes.
    KernelHandle folder = std::move(levels_.back());
    levels_.pop_back();
    return DeleteThrough(folder, AttributesOf(folder) & ~blocksDeletion) && folder.Close();
}
