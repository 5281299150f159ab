// What a finished installation must have left on the machine, checked in
// one place: the files, the shortcuts read back, the registry entries and
// the installation log.
#pragma once

#include <string>

struct ExpectedInstallation {
    std::string dest;         // the destination folder
    std::string groupFolder;  // the program group's folder
    std::string desktop;      // the scope's desktop folder
    std::string startup;      // the scope's start-up folder
    bool allUsers = false;
    bool desktopIcon = true;
    bool autoStart = false;
    std::string productVersion = "5.0.3.0";
};

// EXPECTs every effect; the caller's SCOPED_TRACE names the case.
void ExpectInstallation(const ExpectedInstallation& expected);

// EXPECTs that nothing of the product is left: keys, shortcuts, and in dest
// only leftInDest (DescribeFolderTree's text); dest itself is gone when
// leftInDest is empty.
void ExpectNoInstallation(const std::string& dest, const std::string& shellFolderTreeRoot,
                          const std::string& leftInDest = "");
