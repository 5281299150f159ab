// The entries of a folder that match a pattern, in the search's own order:
// the program's one folder search.
#pragma once

#include "core/buffer_sizes.h"
#include "win/handles.h"

#include <windows.h>

#include <string>

// A returned name that could not be an entry of this folder ("." and "..",
// one holding "\", "/", ":", "?" or "*", or one ending in "." or " ") is
// skipped: joined to the folder it would name another file or reach outside
// it. Names are taken from the wide search without best-fit conversion, so a
// name the code page cannot hold is skipped too, rather than read as a
// look-alike ("∕" as "/", "Ｐ" as "P").
class FolderEntries {
public:
    // No entries when folder + "\" + pattern does not fit capacity.
    FolderEntries(const std::string& folder, const std::string& pattern, std::size_t capacity = maxPath);

    // Moves to the next entry; false when there is none left.
    bool Next();
    // Whether the search found anything, "." included: the folder is there.
    bool Started() const { return started_; }
    // After Next() gave false: whether the search came to its end, rather
    // than stopping on an error (a folder or match that is not there is an
    // end too).
    bool Finished() const { return finished_; }
    const char* Name() const { return entry_.cFileName; }
    bool IsFolder() const { return (entry_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // A junction, symbolic link or mount point: changing its attributes
    // would change its target's.
    bool IsLink() const { return (entry_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
    const WIN32_FIND_DATAA& Entry() const { return entry_; }

private:
    bool Advance();

    FindHandle search_;
    WIN32_FIND_DATAW wideEntry_{};
    WIN32_FIND_DATAA entry_{};  // the wide entry with its names in the code page
    bool narrow_ = false;       // the narrow search, where there is no wide one
    bool started_ = false;
    bool finished_ = false;
};
