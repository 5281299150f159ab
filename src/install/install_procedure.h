// The installation itself, from the choices gathered in setupState.
#pragma once

#include <string>

// Removes what an earlier installation in the destination folder left, copies
// the listed files, starts the log, makes the program group, shortcuts and
// registry entries, and hands the options file to the product. Always 0.
int RunInstall();

// The destination can be installed into: not a junction, symbolic link or
// mount point, which could lead the files anywhere, now or while they go.
bool DestinationIsUsable();

// Copies what the "File Copy: " lines of a distribution list name from
// setupState.sourceFolder to setupState.destFolder.
void InstallFromList(const std::string& listPath);
