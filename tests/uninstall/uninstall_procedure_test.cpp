// A whole installation taken off a machine prepared by hand: files, both
// logs, shortcuts and groups in every scope, the product's keys beside other
// products' keys, and image associations.
#include "uninstall/uninstall_procedure.h"

#include "app/product_profile.h"
#include "support/machine.h"
#include "uninstall_sandbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const vendorKey = "SOFTWARE\\Velmora";
const char* const productKey = "SOFTWARE\\Velmora\\Pictorel v.5";
const char* const scanletKey = "SOFTWARE\\Velmora\\Scanlet 2";
const std::string scanletUninstallKey = std::string(ProductProfile::uninstallRootKey) + "\\Velmora Scanlet 2";
const std::string scanletAppPathKey = std::string(ProductProfile::appPathsKey) + "\\Scanlet.exe";

class UninstallProcedure : public UninstallSandbox {
protected:
    std::string group;         // the program group of the last installation, nested
    std::string classicGroup;  // the group of the earlier installation, holding a file of the user's
    std::vector<std::string> gone;
    std::vector<std::string> kept;

    void SetUp() override
    {
        UninstallSandbox::SetUp();
        if (HasFatalFailure()) return;
        group = programs + "\\My Tools\\Pictorel";
        classicGroup = programs + "\\Pictorel Classic";
        MakeInstalledFiles();
        MakeShortcutsAndGroups();
        MakeLogs();
        MakeRegistry();
    }

    void Installed(const char* name, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
    {
        MakeFile(installFolder + "\\" + name, attributes);
        gone.push_back(installFolder + "\\" + name);
    }
    void Made(const std::string& path, bool goes)
    {
        MakeFile(path);
        (goes ? gone : kept).push_back(path);
    }

    void MakeInstalledFiles()
    {
        Installed("Pictrl5.exe");
        Installed("PictrlUnInst.exe");
        Installed("Pictrl5Man.chm", FILE_ATTRIBUTE_READONLY);
        Installed("readme.txt", FILE_ATTRIBUTE_HIDDEN);
        Installed("effects.flt");
        Installed("borders.flt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        Installed("PictrlCore.dll");
        Installed("msvcrt40.dll");
        Installed("Pictrl4.hlp");
        Installed("legacy.dat");
        Installed(ProductProfile::earlierLog);
        Made(programFiles + "\\Scanlet\\Pictrl5.exe", false);  // another folder with a file of that name
    }

    void MakeShortcutsAndGroups()
    {
        for (const char* name : {"Pictorel 5.lnk", "Pictorel 5 Help.lnk", "Read about Pictorel 5.lnk",
                                 "Uninstall Pictorel 5.lnk"})
            Made(group + "\\" + name, true);
        Made(programs + "\\My Tools\\Other App\\tool.lnk", false);
        Made(classicGroup + "\\Pictorel.lnk", true);
        Made(classicGroup + "\\my notes.txt", false);
        // Default names in every scope, logged or not; the default groups go
        // with a file of the user's in them.
        for (const std::string& folder : {desktop, startup, commonDesktop, commonStartup, defaultHiveDesktop,
                                          defaultHiveStartup})
            Made(folder + "\\Pictorel 5.lnk", true);
        Made(programs + "\\Pictorel 5\\Pictorel 5.lnk", true);
        Made(programs + "\\Pictorel 5\\my notes.txt", true);
        MakeFile(commonPrograms + "\\Pictorel 5\\Pictorel 5 Help.lnk", FILE_ATTRIBUTE_READONLY);
        Made(defaultHivePrograms + "\\Pictorel 5\\Pictorel 5.lnk", true);
        Made(desktop + "\\Scanlet 2.lnk", false);
        Made(commonDesktop + "\\Pictorel 5 Tips.lnk", false);
    }

    void MakeLogs()
    {
        std::string log =
            "; Pictorel 5 distribution list\r\n"
            "File Copy: Pictrl5.exe\r\n"
            "File Copy: PictrlUnInst.exe\r\n"
            "File Copy: Pictrl5Man.chm\r\n"
            "File Copy: readme.txt\r\n"
            "File Copy: *.flt\r\n"
            "File Copy: PictrlCore.src > PictrlCore.dll\r\n"
            "File Overwrite: msvcrt40.dll\r\n"
            "File Del: Pictrl4.hlp | obsolete since 5.0\r\n"
            "File Del: install.log\r\n"
            "\r\n"
            "Made Dir: " + group + "\r\n";
        for (const char* name : {"Pictorel 5.lnk", "Pictorel 5 Help.lnk", "Read about Pictorel 5.lnk",
                                 "Uninstall Pictorel 5.lnk"})
            log += "Shell Link: " + group + "\\" + name + "\r\n";
        log += "Shell Link: " + desktop + "\\Pictorel 5.lnk\r\n";
        log += "Shell Link: " + startup + "\\Pictorel 5.lnk\r\n";
        ASSERT_TRUE(WriteTextFile(installFolder + ProductProfile::uninstallLogPath, log));
        gone.push_back(installFolder + ProductProfile::uninstallLogPath);

        ASSERT_TRUE(WriteTextFile(installFolder + ProductProfile::earlierLogPath,
                                  "File Copy: legacy.dat\n"
                                  "Made Dir: " + classicGroup + "\n"
                                  "Shell Link: " + classicGroup + "\\Pictorel.lnk\n"));
    }

    void MakeRegistry()
    {
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, productKey, "Path", installFolder));
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, productKey, "AllUsers", "A"));
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, std::string(productKey) + "\\Recent\\Files", "1", "a.bmp"));
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, ProductProfile::productKey, "Path", installFolder));
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, scanletKey, "Path", programFiles + "\\Scanlet"));
        ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, std::string(productKey) + "\\Settings", "Zoom", "100"));
        ASSERT_TRUE(RegWrite(HKEY_USERS, HiveKey(defaultHive, productKey), "Zoom", "100"));
        ASSERT_TRUE(RegWrite(HKEY_USERS, HiveKey(defaultHive, scanletKey), "Zoom", "50"));
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, ProductProfile::uninstallKey, "DisplayName", "Pictorel 5"));
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, ProductProfile::uninstallKey, "UninstallString",
                             installFolder + ProductProfile::uninstallerPath));
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, scanletUninstallKey, "DisplayName", "Scanlet 2"));
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, ProductProfile::appPathKey, nullptr,
                             installFolder + ProductProfile::mainExecutablePath));
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, scanletAppPathKey, nullptr, programFiles + "\\Scanlet\\Scanlet.exe"));
        ASSERT_TRUE(RegWrite(HKEY_CLASSES_ROOT, std::string(ProductProfile::documentType) + "\\shell\\open\\command",
                             nullptr, "Pictrl5.exe \"%1\""));

        const std::string product = installFolder + "\\Pictrl5.exe \"%1\"";
        ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, ExtensionKey(".bmp"), "Application", product));
        ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, ExtensionKey(".bmp"), "PictrlOld", "mspaint.exe"));
        ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, ExtensionKey(".gif"), "Application", product));
        ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, ExtensionKey(".jpg"), "Application", "viewer.exe"));
        ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, ExtensionKey(".jpg"), "PictrlOld", "Pictrl5.exe"));
        ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, ExtensionKey(".wpg"), "Application", product));
        ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, ExtensionKey(".wpg"), "PictrlOld", "wpgview.exe"));
        ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, ExtensionKey(".txt"), "Application", product));
        ASSERT_TRUE(RegWrite(HKEY_CLASSES_ROOT, ".tga", nullptr, product));  // not the per-user mode's
    }

    // The product's state and its neighbours', as text for a before/after comparison.
    std::string DescribeMachine() const
    {
        std::string text = DescribeFiles();
        for (const std::string& key : {std::string(vendorKey), std::string(ProductProfile::uninstallRootKey),
                                       std::string(ProductProfile::appPathsKey)})
            text += DescribeKeyTree(HKEY_LOCAL_MACHINE, key);
        text += DescribeKeyTree(HKEY_CURRENT_USER, vendorKey);
        text += DescribeKeyTree(HKEY_USERS, HiveKey(defaultHive, vendorKey));
        text += DescribeKeyTree(HKEY_CURRENT_USER, ProductProfile::fileExtsKey);
        text += DescribeKeyTree(HKEY_CLASSES_ROOT, ".tga");
        text += DescribeKeyTree(HKEY_CLASSES_ROOT, ProductProfile::documentType);
        return text;
    }
};

TEST_F(UninstallProcedure, TakesTheInstallationOffAndLeavesEverythingElse)
{
    RunUninstall(installFolder + "\\");

    for (const std::string& path : gone) EXPECT_FALSE(FileExists(path)) << path;
    for (const std::string& path : kept) EXPECT_TRUE(FileExists(path)) << path;
    EXPECT_FALSE(FolderExists(installFolder));
    EXPECT_FALSE(FolderExists(group));
    EXPECT_TRUE(FolderExists(classicGroup)) << "holds the user's file";
    EXPECT_FALSE(FolderExists(programs + "\\Pictorel 5"));
    EXPECT_FALSE(FolderExists(commonPrograms + "\\Pictorel 5"));
    EXPECT_FALSE(FolderExists(defaultHivePrograms + "\\Pictorel 5"));
    EXPECT_TRUE(FolderExists(programs)) << "the chain stops at a folder that is not empty";

    const struct {
        HKEY root;
        std::string key;
        bool exists;
    } keys[] = {
        {HKEY_LOCAL_MACHINE, productKey, false},
        {HKEY_LOCAL_MACHINE, ProductProfile::productKey, true},
        {HKEY_LOCAL_MACHINE, scanletKey, true},
        {HKEY_CURRENT_USER, productKey, false},
        {HKEY_CURRENT_USER, vendorKey, false},
        {HKEY_USERS, HiveKey(defaultHive, productKey), false},
        {HKEY_USERS, HiveKey(defaultHive, scanletKey), true},
        {HKEY_LOCAL_MACHINE, ProductProfile::uninstallKey, false},
        {HKEY_LOCAL_MACHINE, scanletUninstallKey, true},
        {HKEY_LOCAL_MACHINE, ProductProfile::appPathKey, false},
        {HKEY_LOCAL_MACHINE, scanletAppPathKey, true},
        {HKEY_CLASSES_ROOT, ProductProfile::documentType, false},
    };
    for (const auto& k : keys) EXPECT_EQ(k.exists, RegKeyExists(k.root, k.key)) << k.key;

    const std::string product = installFolder + "\\Pictrl5.exe \"%1\"";
    const struct {
        const char* extension;
        const char* application;
        const char* saved;
    } associations[] = {
        {".bmp", "mspaint.exe", noValue},
        {".gif", noValue, noValue},
        {".jpg", "viewer.exe", "Pictrl5.exe"},
        {".wpg", "wpgview.exe", noValue},
        {".txt", product.c_str(), noValue},
    };
    for (const auto& a : associations) {
        SCOPED_TRACE(a.extension);
        EXPECT_EQ(a.application, ValueOrNone(HKEY_CURRENT_USER, ExtensionKey(a.extension), "Application"));
        EXPECT_EQ(a.saved, ValueOrNone(HKEY_CURRENT_USER, ExtensionKey(a.extension), "PictrlOld"));
    }
    EXPECT_EQ(product, ValueOrNone(HKEY_CLASSES_ROOT, ".tga", nullptr));
}

TEST_F(UninstallProcedure, ASecondRunFindsNothingToDo)
{
    RunUninstall(installFolder + "\\");
    std::string before = DescribeMachine();
    ASSERT_NE(std::string::npos, before.find("Pictorel Classic\\my notes.txt")) << before;

    RunUninstall(installFolder + "\\");

    EXPECT_EQ(before, DescribeMachine());
}

}  // namespace
