// The running program's own file.
#pragma once

#include <string>

// The full path of the running program's file, in its long form where the
// system can say (a program started by its 8.3 name is known by its real
// name); "" when it does not fit a MAX_PATH buffer (a path cut short names no
// real file).
std::string OwnProgramPath();
