#include "core/destination_rules.h"

#include "core/path_utils.h"
#include "core/product_profile.h"

namespace {

// A verdict that names a folder holds only when the folder fits a path buffer.
DestinationDecision DestinationOf(DestinationVerdict verdict, const std::string& folder)
{
    DestinationDecision decision;
    if (folder.empty() || !FitsMaxPath(folder)) return decision;
    decision.verdict = verdict;
    decision.folder = folder;
    return decision;
}

}  // namespace

DestinationDecision DecideDestination(const std::string& chosen, const FolderFacts& facts, LeadByteTest isLeadByte)
{
    if (chosen.empty() || facts.isLink) return DestinationDecision{};
    if (facts.holdsPreviousMajor) return DestinationDecision{DestinationVerdict::refuse, std::string()};
    if (!facts.holdsMainExecutable && facts.entryCount > 0) {
        if (facts.subfolderIsLink) return DestinationDecision{};
        return DestinationOf(DestinationVerdict::appendSubfolder,
                             JoinFolder(chosen, ProductProfile::productSubfolder, isLeadByte));
    }
    return DestinationOf(DestinationVerdict::takeAsIs, WithoutTrailingBackslash(chosen, isLeadByte));
}
