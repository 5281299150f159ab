#include "install/listed_files.h"

#include "core/install_log.h"
#include "core/product_profile.h"
#include "core/setup_state.h"
#include "win/code_page.h"
#include "win/folder_entries.h"

void ForEachListedFile(const std::function<void(const FileFacts& source, const std::string& target)>& visit)
{
    const std::string& source = setupState.sourceFolder;
    FolderListing listing;
    listing.List(source);
    const std::string list = source + ProductProfile::uninstallLogPath;
    ForEachLogLine(list, [&](const std::string& line) {
        std::string name, newName;
        if (!FileToCopy(line, name, newName, IsCodePageLeadByte)) return;
        if (!newName.empty()) return visit(listing.FactsOf(name), newName);
        // A pattern, or a name as the folder spells it: what the copy takes.
        bool absent = false;
        const FolderEntry* entry = listing.Find(name, absent);
        if (entry != nullptr) return visit(entry->facts, entry->name);
        for (FolderEntries matches(source, name); matches.Next();) visit(FoundFile(matches.Entry()), matches.Name());
    });
    visit(LookUpFile(list), ProductProfile::uninstallLog);
}
