#include "support/sandbox.h"

#include "app/product_profile.h"
#include "support/machine.h"

#include <cstdio>

namespace {

int sandboxCounter = 0;

}  // namespace

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

void RemoveProductKeys()
{
    RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora");
    RegDeleteTree(HKEY_LOCAL_MACHINE, ProductProfile::appPathKey);
    RegDeleteTree(HKEY_LOCAL_MACHINE, ProductProfile::uninstallKey);
    RegDeleteTree(HKEY_CLASSES_ROOT, ProductProfile::documentType);
}

std::string Sandbox::Path(const std::string& relative) const
{
    return root + "\\" + relative;
}

void Sandbox::PointValue(HKEY rootKey, const char* key, const char* name, const std::string& folder)
{
    SavedValue saved{rootKey, key, name, false, {}, REG_SZ};
    saved.existed = RegRead(rootKey, key, name, saved.data, &saved.type);
    saved_.push_back(saved);
    MakeFolders(folder);
    RegWrite(rootKey, key, name, folder);
    // The shell rewrites "Shell Folders" from "User Shell Folders" whenever
    // it looks a folder up (saving a shortcut does): point both.
    const std::string shell = ProductProfile::shellFoldersKey;
    if (key == shell) {
        const std::string userKey = shell.substr(0, shell.rfind('\\') + 1) + "User Shell Folders";
        SavedValue user{rootKey, userKey, name, false, {}, REG_SZ};
        user.existed = RegRead(rootKey, userKey, name, user.data, &user.type);
        saved_.push_back(user);
        RegWrite(rootKey, userKey, name, folder);
    }
}

void Sandbox::SetUp()
{
    char name[64];
    std::snprintf(name, sizeof name, "C:\\pictorel-test-%lu-%d", GetCurrentProcessId(), ++sandboxCounter);
    root = name;
    RemoveTree(root);
    ASSERT_TRUE(MakeFolders(root));

    const char* shell = ProductProfile::shellFoldersKey;
    programs = Path("user\\Start Menu\\Programs");
    desktop = Path("user\\Desktop");
    startup = programs + "\\Startup";  // as on Windows: inside the Programs folder
    commonPrograms = Path("all\\Start Menu\\Programs");
    commonDesktop = Path("all\\Desktop");
    commonStartup = commonPrograms + "\\Startup";
    programFiles = Path("Program Files");
    PointValue(HKEY_CURRENT_USER, shell, ProductProfile::programsValue, programs);
    PointValue(HKEY_CURRENT_USER, shell, ProductProfile::desktopValue, desktop);
    PointValue(HKEY_CURRENT_USER, shell, ProductProfile::startupValue, startup);
    PointValue(HKEY_LOCAL_MACHINE, shell, ProductProfile::commonProgramsValue, commonPrograms);
    PointValue(HKEY_LOCAL_MACHINE, shell, ProductProfile::commonDesktopValue, commonDesktop);
    PointValue(HKEY_LOCAL_MACHINE, shell, ProductProfile::commonStartupValue, commonStartup);
    PointValue(HKEY_LOCAL_MACHINE, ProductProfile::currentVersionKey, ProductProfile::programFilesValue, programFiles);
    RemoveProductKeys();
}

void Sandbox::TearDown()
{
    RemoveProductKeys();
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->existed) {
            HKEY key;
            if (RegCreateKeyA(it->root, it->key.c_str(), &key) == ERROR_SUCCESS) {
                // Put back the type too: "User Shell Folders" holds REG_EXPAND_SZ.
                RegSetValueExA(key, it->name.c_str(), 0, it->type, reinterpret_cast<const BYTE*>(it->data.c_str()),
                               static_cast<DWORD>(it->data.size() + 1));
                RegCloseKey(key);
            }
        } else {
            HKEY key;
            if (RegOpenKeyExA(it->root, it->key.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, it->name.c_str());
                RegCloseKey(key);
            }
        }
    }
    saved_.clear();
    SetCurrentDirectoryA("C:\\");
    RemoveTree(root);
}
