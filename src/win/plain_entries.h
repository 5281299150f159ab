// Folders and files of their own: no junction, symbolic link or mount point.
// The every-user clean-up works along paths other users control, and a link
// planted there would lead it into folders its user may not touch.
#pragma once

#include "win/handles.h"

#include <string>

// A folder held open without delete sharing while work is done in it: held,
// it can be neither renamed nor replaced by a link, nor can a folder above it.
class HeldFolder {
public:
    explicit HeldFolder(const std::string& folder);

    // A folder of its own, looked at once held, so that what is looked at is
    // what is worked in.
    bool IsPlain() const { return plain_; }
    // A folder held open cannot be removed.
    void Release() { handle_.Close(); }

private:
    KernelHandle handle_;
    bool plain_ = false;
};

// path names a file that is neither a folder nor a link (a reparse point).
bool IsPlainFile(const std::string& path);
