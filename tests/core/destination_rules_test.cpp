#include "wizard/destination_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using V = DestinationVerdict;

struct DestinationCase {
    const char* what;
    std::string chosen;
    FolderFacts facts;
    V verdict;
    std::string folder;
};

const FolderFacts empty{false, false, 0};
const FolderFacts oldVersion{true, false, 4};
const FolderFacts bothVersions{true, true, 7};
const FolderFacts thisVersion{false, true, 9};
const FolderFacts otherFiles{false, false, 2};

// A chosen folder of n characters, "C:\aaa...".
std::string FolderOfLength(std::size_t n) { return "C:\\" + std::string(n - 3, 'a'); }

TEST(DecideDestination, AppliesTheFolderRules)
{
    const DestinationCase cases[] = {
        {"old version refused", "C:\\Apps\\Pict4", oldVersion, V::refuse, ""},
        {"old version refused even beside this one", "C:\\Apps\\Pict", bothVersions, V::refuse, ""},
        {"old version in a drive root refused", "D:\\", oldVersion, V::refuse, ""},
        {"this version taken as is", "C:\\Apps\\Pictorel", thisVersion, V::takeAsIs, "C:\\Apps\\Pictorel"},
        {"other contents get the sub-folder", "C:\\Apps", otherFiles, V::appendSubfolder,
         "C:\\Apps\\Pictorel 5"},
        {"empty or vanished folder taken as is", "C:\\New folder", empty, V::takeAsIs, "C:\\New folder"},
        {"drive root with contents", "D:\\", otherFiles, V::appendSubfolder, "D:\\Pictorel 5"},
        {"drive root holding this version", "D:\\", thisVersion, V::takeAsIs, "D:"},
        {"empty drive root", "E:\\", empty, V::takeAsIs, "E:"},
        {"network share", "\\\\server\\share", otherFiles, V::appendSubfolder,
         "\\\\server\\share\\Pictorel 5"},
        {"nothing chosen", "", otherFiles, V::unusable, ""},
        {"nothing chosen, old version", "", oldVersion, V::unusable, ""},
        // "\Pictorel 5" is 11 characters; a path buffer holds 259 and the zero.
        {"sub-folder fits exactly", FolderOfLength(248), otherFiles, V::appendSubfolder,
         FolderOfLength(248) + "\\Pictorel 5"},
        {"sub-folder one too long", FolderOfLength(249), otherFiles, V::unusable, ""},
        {"longest folder taken as is", FolderOfLength(259), empty, V::takeAsIs, FolderOfLength(259)},
        {"folder too long to hold", FolderOfLength(260), thisVersion, V::unusable, ""},
    };
    for (const DestinationCase& c : cases) {
        SCOPED_TRACE(c.what);
        DestinationDecision d = DecideDestination(c.chosen, c.facts);
        EXPECT_EQ(static_cast<int>(c.verdict), static_cast<int>(d.verdict));
        EXPECT_EQ(c.folder, d.folder);
    }
}

}  // namespace
