// What the destination page makes of a folder chosen in the folder dialog,
// decided from facts the page has probed on the machine.
#pragma once

#include "core/path_utils.h"

#include <cstddef>
#include <string>

// What the chosen folder holds. The page probes these; nothing here looks.
struct FolderFacts {
    bool holdsPreviousMajor = false;   // chosen + "\Pictrl.exe" exists (version 4.xx)
    bool holdsMainExecutable = false;  // chosen + "\Pictrl5.exe" exists
    std::size_t entryCount = 0;        // entries other than "." and ".."
    // A junction, symbolic link or mount point: where it leads is not the
    // folder chosen, and can change under the installation.
    bool isLink = false;           // the chosen folder itself
    bool subfolderIsLink = false;  // chosen + "\Pictorel 5"
};

enum class DestinationVerdict {
    refuse,           // the old version lives there: string 14, destination unchanged
    takeAsIs,         // this version, or an empty or vanished folder
    appendSubfolder,  // any other folder gets the product's own sub-folder
    unusable,         // empty, a link, or the result would not fit a path buffer: unchanged
};

struct DestinationDecision {
    DestinationVerdict verdict = DestinationVerdict::unusable;
    std::string folder;  // the new destination for takeAsIs and appendSubfolder
};

// chosen is the path the folder dialog returned; a drive root keeps its
// backslash there ("D:\"). The new destination never ends with a backslash,
// and a root gets no second one ("D:\" gives "D:" or "D:\Pictorel 5").
DestinationDecision DecideDestination(const std::string& chosen, const FolderFacts& facts, LeadByteTest isLeadByte);
