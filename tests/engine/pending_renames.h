// The deletions Windows (and Wine) will carry out at the next start:
// HKLM\System\CurrentControlSet\Control\Session Manager, value
// PendingFileRenameOperations, where MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT records them.
#pragma once

#include <string>
#include <vector>

// The paths registered for deletion (pairs with an empty new name), without
// their "\??\" prefix.
std::vector<std::string> PendingDeletions();

// Saves the value when made and puts it back (or removes it) when it goes,
// so that a test's registrations do not reach the prefix's next start.
class PendingRenamesGuard {
public:
    PendingRenamesGuard();
    ~PendingRenamesGuard();
    PendingRenamesGuard(const PendingRenamesGuard&) = delete;
    PendingRenamesGuard& operator=(const PendingRenamesGuard&) = delete;

private:
    bool existed_ = false;
    std::string data_;
};
