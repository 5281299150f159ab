// How the existing installation's folder and the default destination are
// derived from registry texts and the Windows folder. Win32-free.
#pragma once

#include "core/path_utils.h"

#include <string>

// The folder of an App Paths value: the text before the first "\Pictrl5.exe"
// (exact case), without one trailing backslash; "" when the name is absent.
std::string FolderFromAppPath(const std::string& appPathValue, LeadByteTest isLeadByte);

// The program-files folder when the registry names none: the Windows folder
// cut just after its first backslash (its drive root), then "Program Files".
std::string ProgramFilesFromWindowsFolder(const std::string& windowsFolder, LeadByteTest isLeadByte);
