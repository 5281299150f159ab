#include "core/start_decision.h"

#include "core/product_profile.h"
#include "core/setup_state.h"
#include "core/text.h"

#include <string>

StartDecision DecideStartMode(const std::vector<std::string>& arguments, const std::string& programPath)
{
    StartDecision decision;
    const std::size_t count = arguments.size();

    // With no arguments after the program path the last argument is the path
    // itself, which is never "-s".
    decision.silent = (count > 0 && arguments[count - 1] == ProductProfile::silentSwitch) ? 1 : 0;
    setupState.silent = decision.silent;

    if (count >= 3 && arguments[1] == ProductProfile::removalSwitch) {
        decision.mode = StartMode::removal;
        decision.removalTarget = arguments[2];
        return decision;
    }

    if (count >= 2 && SameTextIgnoringCase(arguments[1], ProductProfile::installSwitch))
        decision.mode = StartMode::install;
    else if (ToLower(programPath).find(ProductProfile::installerNameMarker) != std::string::npos)
        decision.mode = StartMode::install;
    else
        decision.mode = StartMode::uninstall;

    for (std::size_t i = 2; i < count; ++i) {
        if (arguments[i] == ProductProfile::skipCopiesSwitch)
            decision.skipCopiesQuestion = 1;
    }
    return decision;
}
