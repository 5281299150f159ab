// The decision every run begins with: install, uninstall or removal.
#pragma once

#include "core/path_utils.h"

#include <cstdint>
#include <string>
#include <vector>

enum class StartMode { install, uninstall, removal };

struct StartDecision {
    StartMode mode = StartMode::uninstall;
    std::int32_t silent = 0;
    std::int32_t skipCopiesQuestion = 0;
    // Empty in removal mode when the path given is not an uninstaller's: the
    // run then ends touching nothing.
    std::string removalTarget;
};

// arguments[0] is the program path as given on the command line; programPath
// is the full path of the running file, read with the code page's lead-byte
// test. Uninstall mode needs the uninstaller's own file name: any other
// ("setup (1).exe" from a browser) installs, so that a renamed installer can
// never empty the folder it was saved in. Sets setupState.silent; touches
// nothing else.
StartDecision DecideStartMode(const std::vector<std::string>& arguments, const std::string& programPath,
                              LeadByteTest isLeadByte);

