// The program's one way to start another process.
#pragma once

#include "win/handles.h"

#include <string>

// Starts program with commandLine as its whole command line and returns the
// process (the thread handle is closed); no handle when it could not start.
// program is also named apart, so it is never searched for; commandLine
// begins with the quoted path (QuotedArgument) unless the program expects a
// bare switch, so a path with a blank never splits into arguments.
KernelHandle StartProcess(const std::string& program, const std::string& commandLine, bool inheritHandles = false);
