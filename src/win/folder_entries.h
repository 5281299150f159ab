// The entries of a folder that match a pattern, in the search's own order:
// the program's one folder search.
#pragma once

#include "core/buffer_sizes.h"
#include "win/handles.h"

#include <windows.h>

#include <string>

// A returned name that could not be an entry of this folder ("." and "..",
// or a name the search's best-fit conversion gave a "\", "/", ":", "?" or
// "*") is skipped: it would reach outside the folder when joined to it.
class FolderEntries {
public:
    // No entries when folder + "\" + pattern does not fit capacity.
    FolderEntries(const std::string& folder, const std::string& pattern, std::size_t capacity = maxPath);

    // Moves to the next entry; false when there is none left.
    bool Next();
    const char* Name() const { return entry_.cFileName; }
    bool IsFolder() const { return (entry_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // A junction, symbolic link or mount point: changing its attributes
    // would change its target's.
    bool IsLink() const { return (entry_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
    const WIN32_FIND_DATAA& Entry() const { return entry_; }

private:
    bool Advance();

    FindHandle search_;
    WIN32_FIND_DATAA entry_{};
    bool started_ = false;
};
