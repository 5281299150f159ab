#include "uninstall_sandbox.h"

#include "app/product_profile.h"
#include "support/machine.h"

namespace {

const char* const vendorKey = "SOFTWARE\\Velmora";

void ListFolder(const std::string& folder, const std::string& relative, std::string& text)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        text += relative + name + " attr=" + std::to_string(data.dwFileAttributes) +
                " size=" + std::to_string(data.nFileSizeLow) + "\n";
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFolder(folder + "\\" + name, relative + name + "\\", text);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

}  // namespace

std::string ExtensionKey(const char* extension)
{
    return std::string(ProductProfile::fileExtsKey) + "\\" + extension;
}

std::string HiveKey(const std::string& hive, const std::string& key)
{
    return hive + "\\" + key;
}

std::string ValueOrNone(HKEY root, const std::string& key, const char* name)
{
    std::string data;
    return RegRead(root, key, name, data) ? data : noValue;
}

void UninstallSandbox::Keep(HKEY root, const std::string& key)
{
    snapshots_.push_back(std::make_unique<RegistrySnapshot>(root, key));
}

void UninstallSandbox::SetUp()
{
    Sandbox::SetUp();
    if (HasFatalFailure()) return;
    installFolder = programFiles + ProductProfile::productSubfolder;
    Keep(HKEY_CURRENT_USER, ProductProfile::fileExtsKey);
    Keep(HKEY_CURRENT_USER, vendorKey);
    Keep(HKEY_USERS, HiveKey(defaultHive, vendorKey));
    for (const char* extension : ProductProfile::imageExtensions) Keep(HKEY_CLASSES_ROOT, extension);
    Keep(HKEY_LOCAL_MACHINE, std::string(ProductProfile::uninstallRootKey) + "\\Velmora Scanlet 2");
    Keep(HKEY_LOCAL_MACHINE, std::string(ProductProfile::appPathsKey) + "\\Scanlet.exe");

    // Wine's default hive names the real profile folders: point it into the
    // sandbox too, so that no run reaches outside.
    std::string shellFolders = HiveKey(defaultHive, ProductProfile::shellFoldersKey);
    Keep(HKEY_USERS, shellFolders);
    defaultHiveRoot = Path("default");
    defaultHivePrograms = defaultHiveRoot + "\\Start Menu\\Programs";
    defaultHiveDesktop = defaultHiveRoot + "\\Desktop";
    defaultHiveStartup = defaultHivePrograms + "\\Startup";
    for (const std::string& folder : {defaultHivePrograms, defaultHiveDesktop, defaultHiveStartup})
        ASSERT_TRUE(MakeFolders(folder));
    ASSERT_TRUE(RegWrite(HKEY_USERS, shellFolders, ProductProfile::programsValue, defaultHivePrograms));
    ASSERT_TRUE(RegWrite(HKEY_USERS, shellFolders, ProductProfile::desktopValue, defaultHiveDesktop));
    ASSERT_TRUE(RegWrite(HKEY_USERS, shellFolders, ProductProfile::startupValue, defaultHiveStartup));
}

void UninstallSandbox::TearDown()
{
    while (!snapshots_.empty()) snapshots_.pop_back();  // restores, last kept first
    Sandbox::TearDown();
}

void UninstallSandbox::MakeFile(const std::string& path, DWORD attributes)
{
    ASSERT_TRUE(MakeFolders(path.substr(0, path.find_last_of('\\')))) << path;
    ASSERT_TRUE(WriteTextFile(path, "content of " + path)) << path;
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
}

std::string UninstallSandbox::DescribeFiles() const
{
    std::string text;
    ListFolder(root, "", text);
    return text;
}
