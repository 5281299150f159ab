// The one record of state the whole run shares. Every part reads and writes
// its fields directly; nothing in it is saved between runs.
#pragma once

#include <cstdint>
#include <string>

struct SetupState {
    // Folders and names; folder paths never end with a backslash.
    std::string destFolder;
    std::string sourceFolder;
    std::string programGroup;

    // User choices (flags hold 0 or 1)
    std::int32_t licenseAccepted = 0;
    std::int32_t allUsers = 0;
    std::int32_t autoStart = 0;
    std::int32_t desktopIcon = 1;
    std::int32_t runProduct = 0;

    // Mode and findings
    std::int32_t silent = 0;
    std::int32_t freshInstall = 0;
    std::int32_t upgrade = 0;
    // What the run could not do, for the user and for the exit code
    std::uint32_t failedItems = 0;   // steps that leave the installation (or removal) incomplete
    std::string failedNames;         // what the first few were tried on, one a line
    std::int32_t restartNeeded = 0;  // a file goes (or was put aside) at the next start

    // Version of the product, each part a 16-bit value
    std::uint32_t versionMajor = 0;
    std::uint32_t versionMinor = 0;
    std::uint32_t versionBuild = 0;
    std::uint32_t versionRevision = 0;
};

// Defined once per program: setup.exe defines it among its process-wide
// objects (after the instance manager and the application object); each test
// program defines its own.
extern SetupState setupState;
