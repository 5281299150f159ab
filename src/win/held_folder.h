// Folders that another user can change while the setup works in them (the
// shell folders of a user's profile). A folder is opened once, from a start
// that a trusted source names, every level on the way held without delete
// sharing so that none can be renamed or replaced by a link; each entry is
// opened through its folder's handle, checked through its own handle and
// deleted through that handle: no path is ever looked up a second time, so a
// junction re-pointed meanwhile leads nowhere.
#pragma once

#include "win/handles.h"

#include <string>
#include <vector>

class HeldFolder {
public:
    // start: a folder named by a trusted source (the machine's registry),
    // opened by its path as that source means it, links included.
    explicit HeldFolder(const std::string& start);

    // Whether the system opens and deletes through handles (the NT family).
    // Without it a held folder works along paths, safe only in folders no
    // other user can change.
    static bool WorksThroughHandles();

    bool IsOpen() const { return open_; }
    // Steps into the folder name of the current one when it is a folder of
    // its own (no junction, symbolic link or mount point); otherwise the
    // held folder closes.
    bool Enter(const std::string& name);
    // Deletes the file name of the current folder when it is a plain file
    // (no link), its read-only and hidden attributes cleared first; true
    // when it went.
    bool DeletePlainFile(const std::string& name);
    // The same for every plain file of the current folder; how many went.
    int DeletePlainFiles();
    // Removes the current folder, one entered below the start, when it is
    // empty; the held folder closes.
    bool RemoveCurrent();

private:
    // name: zero-ended
    bool EnterThroughHandle(const std::vector<wchar_t>& name);
    bool DeleteThroughHandle(const std::vector<wchar_t>& name);

    std::vector<KernelHandle> levels_;  // the start, then each folder entered
    std::string path_;                  // where no handles serve
    std::size_t depth_ = 0;             // folders entered below the start
    bool open_ = false;
};
