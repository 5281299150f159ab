// Copying the distribution's files into the destination folder over what an
// earlier installation left there, files in use included.
#pragma once

// Copies sourceFolder\fileName to destFolder\newName (destFolder\fileName
// when newName is null). A target that exists is replaced: its read-only and
// hidden attributes are cleared and it is deleted, or, when it is in use,
// renamed to target + ".old" and that file handed to DeleteAtReboot. A
// missing source leaves the target alone. The same folder twice without a
// new name is success at once. Returns non-zero on success.
int CopyOneFile(const char* fileName, const char* sourceFolder, const char* destFolder, const char* newName);

// Copies each file of sourceFolder that matches pattern ("*" and "?"), in
// search order, into destFolder, which is created (last level only, as a
// folder only administrators can change) when something matches. Stops at the first file that fails; a folder that
// matches fails without being touched. Returns the number copied.
int CopyMatchingFiles(const char* pattern, const char* sourceFolder, const char* destFolder);

#include "engine/folder_listing.h"

#include <string>

// Copies the files of a distribution list from one folder into another with
// the results of CopyOneFile and CopyMatchingFiles, but with one listing of
// each folder, taken when it is made, in place of lookups per file: what
// lets a reinstallation over the same files go at the speed of a plain copy.
// Two names for one folder are left to those two functions.
class FolderCopy {
public:
    FolderCopy(const std::string& sourceFolder, const std::string& destFolder);
    ~FolderCopy();
    FolderCopy(const FolderCopy&) = delete;
    FolderCopy& operator=(const FolderCopy&) = delete;

    // As CopyOneFile(fileName, sourceFolder, destFolder, newName).
    int CopyOne(const char* fileName, const char* newName);
    // As CopyMatchingFiles(pattern, sourceFolder, destFolder).
    int CopyMatching(const char* pattern);

private:
    int CopyFound(const FolderEntry& source, const std::string& targetName);
    void MakeDestFolder();

    std::string sourceFolder_, destFolder_;
    std::string from_, to_;  // with their separators
    bool perFile_ = false;   // the same folder twice: every decision per file
    bool destMade_ = false;
    FolderListing source_, dest_;
};
