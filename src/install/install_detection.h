// The install driver's starting facts: an existing installation's folder,
// the default destination's root, the setup's own folder, a file's version.
#pragma once

#include <string>

// The folder of an existing installation, or "" when none is recorded.
std::string FindExistingInstallFolder();
// The system's program-files folder, without a trailing backslash.
std::string DefaultProgramsRoot();
// The folder of the running program file; "" when its path does not fit.
std::string SetupFolderPath();
// Sets setupState's four version numbers from the file's fixed file version,
// all 0 when it has none.
void ReadFileVersion(const std::string& path);
