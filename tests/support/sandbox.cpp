// RegDeleteTree came with Vista; Wine has it.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "support/sandbox.h"

#include "core/product_profile.h"
#include "win/handles.h"
#include "support/machine.h"

#include <sddl.h>

using P = ProductProfile;

void Sandbox::SetUp()
{
    RemoveTree(root);
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    // The shell rewrites "Shell Folders" from "User Shell Folders" when it looks a folder up (saving a shortcut
    // does): both point here.
    const std::string shell = P::shellFoldersKey, user = shell.substr(0, shell.rfind('\\') + 1) + "User Shell Folders";
    for (const std::string& key : {shell, user}) {
        Point(HKEY_CURRENT_USER, key, P::programsValue, programs);
        Point(HKEY_CURRENT_USER, key, P::desktopValue, desktop);
        Point(HKEY_CURRENT_USER, key, P::startupValue, startup);
        Point(HKEY_LOCAL_MACHINE, key, P::commonProgramsValue, commonPrograms);
        Point(HKEY_LOCAL_MACHINE, key, P::commonDesktopValue, commonDesktop);
        Point(HKEY_LOCAL_MACHINE, key, P::commonStartupValue, commonStartup);
    }
    Point(HKEY_LOCAL_MACHINE, P::currentVersionKey, P::programFilesValue, programFiles);
    // The user's shell folders count only inside the profile: it is the sandbox's "user" folder meanwhile.
    profileKey_ = std::string(P::profileListKey) + "\\" + CurrentUserSid();
    savedProfile_ = RegText(HKEY_LOCAL_MACHINE, profileKey_, P::profileImagePathValue);
    RegSet(HKEY_LOCAL_MACHINE, profileKey_, P::profileImagePathValue, Path("user"));
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) Forget(hive, "SOFTWARE\\Velmora");  // the vendor's
    Forget(HKEY_USERS, ".Default\\SOFTWARE\\Velmora");
    for (const char* key : {P::appPathKey, P::uninstallKey}) Forget(HKEY_LOCAL_MACHINE, key);
    Forget(HKEY_CLASSES_ROOT, P::documentType);
    RegKey session;  // so that what a test finds registered is its own
    session.Open(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", KEY_SET_VALUE);
    RegDeleteValueA(session.Get(), "PendingFileRenameOperations");
}

void Sandbox::TearDown()
{
    RegSet(HKEY_LOCAL_MACHINE, profileKey_, P::profileImagePathValue, savedProfile_);
    for (const auto& [hive, key] : forgotten_) RegDeleteTreeA(hive, key.c_str());
    SetCurrentDirectoryA("C:\\");
    RemoveTree(root);
}

std::string CurrentUserSid()
{
    KernelHandle token;
    char buffer[256], *text = nullptr;
    DWORD size = 0;
    std::string sid;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive()) &&
        GetTokenInformation(token.Get(), TokenUser, buffer, sizeof buffer, &size) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text))
        sid = text, LocalFree(text);
    return sid;
}

void Sandbox::Point(HKEY hive, const std::string& key, const char* name, const std::string& folder)
{
    MakeFolders(folder);
    RegSet(hive, key, name, folder);
}

void Sandbox::Forget(HKEY hive, const std::string& key)
{
    forgotten_.emplace_back(hive, key);
    RegDeleteTreeA(hive, key.c_str());
}
