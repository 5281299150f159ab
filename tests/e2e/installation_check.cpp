#include "e2e/installation_check.h"

#include "app/product_profile.h"
#include "e2e/distribution.h"
#include "e2e/machine_state.h"
#include "support/machine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Shortcut {
    std::string link;
    std::string target;  // "" when there must be none
};

std::vector<Shortcut> ExpectedShortcuts(const ExpectedInstallation& e)
{
    const std::string exe = e.dest + "\\Pictrl5.exe";
    return {
        {e.groupFolder + "\\Pictorel 5.lnk", exe},
        {e.groupFolder + "\\Pictorel 5 Help.lnk", e.dest + "\\Pictrl5Man.chm"},
        {e.groupFolder + "\\Read about Pictorel 5.lnk", e.dest + "\\readme.txt"},
        {e.groupFolder + "\\Uninstall Pictorel 5.lnk", e.dest + "\\PictrlUnInst.exe"},
        {e.desktop + "\\Pictorel 5.lnk", e.desktopIcon ? exe : ""},
        {e.startup + "\\Pictorel 5.lnk", e.autoStart ? exe : ""},
    };
}

void ExpectFiles(const ExpectedInstallation& e)
{
    for (const char* name : {"Pictrl5.exe", "PictrlUnInst.exe", "PictrlUnInst.log", "Pictrl5.ini"})
        EXPECT_TRUE(FileExists(e.dest + "\\" + name)) << name;
    for (unsigned i = 0; i < distributedFileCount; ++i)
        EXPECT_TRUE(FileExists(e.dest + "\\" + distributedFiles[i])) << distributedFiles[i];
    EXPECT_FALSE(FileExists(e.dest + "\\setup.exe"));
    EXPECT_FALSE(FileExists(e.dest + "\\agreement.txt"));
    EXPECT_EQ(e.productVersion, FileVersionText(e.dest + "\\Pictrl5.exe"));
}

void ExpectShortcuts(const ExpectedInstallation& e)
{
    for (const Shortcut& shortcut : ExpectedShortcuts(e)) {
        SCOPED_TRACE(shortcut.link);
        if (shortcut.target.empty()) {
            EXPECT_FALSE(FileExists(shortcut.link));
        } else {
            EXPECT_EQ(shortcut.target, ReadShortcutTarget(shortcut.link));
        }
    }
}

void ExpectRegistry(const ExpectedInstallation& e)
{
    const struct {
        const char* key;
        const char* name;
        std::string data;
    } values[] = {
        {ProductProfile::setupProductKey, "AllUsers", e.allUsers ? "B" : "A"},
        {ProductProfile::setupProductKey, "Path", e.dest},
        {ProductProfile::appPathKey, nullptr, e.dest + "\\Pictrl5.exe"},
        {ProductProfile::uninstallKey, "DisplayName", "Pictorel 5"},
        {ProductProfile::uninstallKey, "DisplayVersion", "5"},
        {ProductProfile::uninstallKey, "Publisher", "Velmora Technology LLC"},
        {ProductProfile::uninstallKey, "UninstallString", e.dest + "\\PictrlUnInst.exe"},
        {ProductProfile::uninstallKey, "URLInfoAbout", ProductProfile::webSite},
    };
    for (const auto& value : values) {
        std::string data;
        EXPECT_TRUE(RegRead(HKEY_LOCAL_MACHINE, value.key, value.name, data)) << value.key << " " << (value.name ? value.name : "(default)");
        EXPECT_EQ(value.data, data) << value.key << " " << (value.name ? value.name : "(default)");
    }
}

// The distribution list, an empty line, the group folder, the shortcuts.
void ExpectLog(const ExpectedInstallation& e)
{
    std::vector<std::string> expected = TextLines(DistributionList());
    expected.push_back("");
    expected.push_back("Made Dir: " + e.groupFolder);
    for (const Shortcut& shortcut : ExpectedShortcuts(e))
        if (!shortcut.target.empty()) expected.push_back("Shell Link: " + shortcut.link);
    EXPECT_EQ(expected, FileLines(e.dest + "\\PictrlUnInst.log"));
}

}  // namespace

void ExpectInstallation(const ExpectedInstallation& expected)
{
    ExpectFiles(expected);
    ExpectShortcuts(expected);
    ExpectRegistry(expected);
    ExpectLog(expected);
}

void ExpectNoInstallation(const std::string& dest, const std::string& shellFolderTreeRoot,
                          const std::string& leftInDest)
{
    EXPECT_EQ(leftInDest, DescribeFolderTree(dest));
    EXPECT_EQ(!leftInDest.empty(), FolderExists(dest));
    for (const char* key : {"SOFTWARE\\Velmora\\Pictorel v.5", ProductProfile::appPathKey, ProductProfile::uninstallKey})
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, key)) << key;
    const std::string tree = DescribeFolderTree(shellFolderTreeRoot);
    EXPECT_EQ(std::string::npos, tree.find(".lnk")) << tree;
    if (leftInDest.empty()) {
        EXPECT_EQ(std::string::npos, tree.find("Pictorel 5")) << tree;
    }
}
