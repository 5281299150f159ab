#include "engine/folder_listing.h"

#include "core/path_utils.h"
#include "win/code_page.h"
#include "win/folder_entries.h"

FileFacts LookUpFile(const std::string& path)
{
    FileFacts facts;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return facts;
    facts.attributes = data.dwFileAttributes;
    facts.lastWrite = data.ftLastWriteTime;
    facts.size = std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
    return facts;
}

FileFacts FoundFile(const WIN32_FIND_DATAA& match)
{
    FileFacts facts;
    facts.attributes = match.dwFileAttributes;
    facts.lastWrite = match.ftLastWriteTime;
    facts.size = std::uint64_t{match.nFileSizeHigh} << 32 | match.nFileSizeLow;
    return facts;
}

bool FolderListing::List(const std::string& folder)
{
    folder_ = folder;
    FolderEntries found(folder, "*");
    while (found.Next()) {
        const WIN32_FIND_DATAA& match = found.Entry();
        index_.Add(match.cFileName, entries_.size());
        index_.Add(match.cAlternateFileName, entries_.size());
        entries_.push_back(FolderEntry{match.cFileName, FoundFile(match)});
    }
    exists_ = found.Started();
    complete_ = found.Finished();
    return complete_;
}

FolderEntry* FolderListing::Find(const std::string& name, bool& absent)
{
    absent = false;
    if (!complete_ || !IsIndexableName(name)) return nullptr;
    const std::size_t at = index_.Find(name);
    absent = at == NameIndex::none;
    return absent ? nullptr : &entries_[at];
}

FileFacts FolderListing::FactsOf(const std::string& name)
{
    bool absent = false;
    const FolderEntry* entry = Find(name, absent);
    if (entry != nullptr) return entry->facts;
    return absent ? FileFacts{} : LookUpFile(JoinSearchPath(folder_, name, IsCodePageLeadByte));
}
