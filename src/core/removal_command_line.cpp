#include "core/removal_command_line.h"

#include "core/path_utils.h"
#include "core/product_profile.h"

std::string QuotedArgument(const std::string& path)
{
    if (path.find_first_of(" \t") == std::string::npos) return path;
    return "\"" + path + "\"";
}

bool BuildRemovalCommandLine(const std::string& copyPath, const std::string& uninstallerPath, bool silent,
                             std::string& commandLine)
{
    const std::string copy = QuotedArgument(copyPath);
    const std::string uninstaller = QuotedArgument(uninstallerPath);
    if (!FitsMaxPath(copy) || !FitsMaxPath(uninstaller)) return false;
    commandLine = copy + " " + ProductProfile::removalSwitch + " " + uninstaller;
    if (silent) commandLine += std::string(" ") + ProductProfile::silentSwitch;
    return true;
}
