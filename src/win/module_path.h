// The running program's own file.
#pragma once

#include <string>

// The full path of the running program's file; "" when it does not fit a
// MAX_PATH buffer (a path cut short names no real file).
std::string OwnProgramPath();
