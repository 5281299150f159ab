// Folders that belong to administrators: what the setup runs as
// administrator from them (the product's programs, the temporary
// uninstaller) cannot be replaced by another user of the machine.
#pragma once

#include "win/handles.h"

#include <string>

// Administrators and SYSTEM full control, Users read and execute; protected,
// so that nothing is inherited from a parent users may write to.
constexpr const char* protectedFolderSddl = "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;FRFX;;;BU)";

// The descriptor above, for this process: none where the system has no
// security (the 9x family), and none for a process that is not an
// administrator, which would lock itself out of its own folder.
LocalMemory ProtectedFolderDescriptor();

// Creates folder (its last level) with that descriptor, or the default one
// where there is none; as CreateDirectoryA, false when it was not made
// (also when it exists already: an existing folder keeps its own).
bool CreateProtectedFolder(const std::string& folder);
