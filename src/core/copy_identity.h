// Which listed processes the setup may close: only copies of the product or
// of this setup program, recognised by their executable's file name. An id
// left in the instance list by a process that died may since belong to an
// unrelated program. Win32-free.
#pragma once

#include <string>

// imageName: the listed process's executable file name (no folder);
// ownImageName: this program's own file name.
bool IsProductOrSetupImage(const std::string& imageName, const std::string& ownImageName);

// "uni" + at least one character + ".tmp", any case: the name the temporary
// uninstaller and its folder get from GetTempFileNameA.
bool IsTemporaryCopyName(const std::string& name);
