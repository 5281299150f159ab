#include "core/start_decision.h"

#include "core/product_profile.h"
#include "core/setup_state.h"
#include "core/text.h"

#include <string>

namespace {

bool IsUninstallerPath(const std::string& path, LeadByteTest isLeadByte)
{
    return SameTextIgnoringCase(FileNameOf(path, isLeadByte), ProductProfile::uninstallerPath + 1);
}

}  // namespace

StartDecision DecideStartMode(const std::vector<std::string>& arguments, const std::string& programPath,
                              LeadByteTest isLeadByte)
{
    StartDecision decision;
    const std::size_t count = arguments.size();

    // With no arguments after the program path the last argument is the path
    // itself, which is never "-s".
    decision.silent = (count > 0 && arguments[count - 1] == ProductProfile::silentSwitch) ? 1 : 0;
    setupState.silent = decision.silent;

    if (count >= 3 && arguments[1] == ProductProfile::removalSwitch) {
        decision.mode = StartMode::removal;
        // Only an uninstaller is ever removed, with the folder it stands in.
        if (IsUninstallerPath(arguments[2], isLeadByte)) decision.removalTarget = arguments[2];
        return decision;
    }

    const bool installSwitch = count >= 2 && SameTextIgnoringCase(arguments[1], ProductProfile::installSwitch);
    const bool installerPath = ToLower(programPath).find(ProductProfile::installerNameMarker) != std::string::npos;
    decision.mode = !installSwitch && !installerPath && IsUninstallerPath(programPath, isLeadByte) ? StartMode::uninstall
                                                                                                 : StartMode::install;

    for (std::size_t i = 2; i < count; ++i) {
        if (arguments[i] == ProductProfile::skipCopiesSwitch)
            decision.skipCopiesQuestion = 1;
    }
    return decision;
}
