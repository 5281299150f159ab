// Deleting a file at the next start of Windows.
#pragma once

#include <windows.h>

#include <string>

// Registers path for deletion at the next start: MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT, else (the 9x family, or no rights) a
// "NUL=" line at the end of WININIT.INI's "rename" section. A section that
// cannot take the line is left as it was; an empty path registers nothing.
// True when the deletion was registered.
bool DeleteAtReboot(const std::string& path);

// The MoveFileExA that DeleteAtReboot calls. Tests put in one that fails as
// it always does on the 9x family, which Wine cannot be made to do.
using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR existingName, LPCSTR newName, DWORD flags);
extern MoveFileExFunction rebootMoveFileEx;
