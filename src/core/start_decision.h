// The decision every run begins with: install, uninstall or removal.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class StartMode { install, uninstall, removal };

struct StartDecision {
    StartMode mode = StartMode::uninstall;
    std::int32_t silent = 0;
    std::int32_t skipCopiesQuestion = 0;
    std::string removalTarget;
};

// arguments[0] is the program path as given on the command line; programPath
// is the full path of the running file. Sets setupState.silent; touches
// nothing else.
StartDecision DecideStartMode(const std::vector<std::string>& arguments, const std::string& programPath);
