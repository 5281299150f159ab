// Where the failure trace may be written. The file is named by an environment
// variable, input another user may have set, and the setup runs elevated: a
// share would be sent this account's credentials, a pipe's server could act
// as this account, a device or a stream is no log. Win32-free.
#pragma once

#include "core/path_utils.h"

#include <string>

// fullPath (as GetFullPathNameA makes it) names a file on a drive: "X:\..."
// with no stream (":" after the drive) and no device's reserved name as its
// last component. Shares and device paths ("\\...") are not.
bool IsTraceFilePath(const std::string& fullPath, LeadByteTest isLeadByte);
