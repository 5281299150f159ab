// A folder listed once, its entries then found by name without asking the
// file system again: what lets the copy and the space check take a
// distribution of thousands of files at the speed of a plain copy.
#pragma once

#include "core/name_index.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What is known of a file; attributes INVALID_FILE_ATTRIBUTES when it does
// not exist.
struct FileFacts {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    FILETIME lastWrite = {};
    std::uint64_t size = 0;
};

FileFacts LookUpFile(const std::string& path);
FileFacts FoundFile(const WIN32_FIND_DATAA& match);

struct FolderEntry {
    std::string name;
    FileFacts facts;
};

class FolderListing {
public:
    // Lists folder, by long and by short names. False when the listing
    // stopped on an error: a folder listed in part answers for nothing. A
    // folder that does not exist is listed in full, and empty.
    bool List(const std::string& folder);
    // Whether the folder was there to be listed.
    bool Exists() const { return exists_; }

    // The listed entry for name; null when the listing cannot answer for it
    // (a name the index does not take, or no listing in full). absent tells
    // a name it answers for but does not hold.
    FolderEntry* Find(const std::string& name, bool& absent);
    // The facts of name in the folder, from the listing where it can answer,
    // else from the file system.
    FileFacts FactsOf(const std::string& name);

private:
    std::string folder_;
    std::vector<FolderEntry> entries_;
    NameIndex index_;
    bool complete_ = false;
    bool exists_ = false;
};
