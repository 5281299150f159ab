#include "app/start_decision.h"

#include "app/product_profile.h"
#include "app/setup_state.h"

#include <algorithm>
#include <cctype>

namespace {

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

std::string ToLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsUninstallerPath(const std::string& path, LeadByteTest isLeadByte)
{
    return EqualsIgnoringCase(FileNameOf(path, isLeadByte), ProductProfile::uninstallerPath + 1);
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

    const bool installSwitch = count >= 2 && EqualsIgnoringCase(arguments[1], ProductProfile::installSwitch);
    const bool installerPath = ToLower(programPath).find(ProductProfile::installerNameMarker) != std::string::npos;
    decision.mode = !installSwitch && !installerPath && IsUninstallerPath(programPath, isLeadByte) ? StartMode::uninstall
                                                                                                 : StartMode::install;

    for (std::size_t i = 2; i < count; ++i) {
        if (arguments[i] == ProductProfile::skipCopiesSwitch)
            decision.skipCopiesQuestion = 1;
    }
    return decision;
}
