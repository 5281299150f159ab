#include "install/install_procedure.h"

#include "core/install_log.h"
#include "core/path_utils.h"
#include "core/product_profile.h"
#include "core/program_group.h"
#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "core/space_needed.h"
#include "engine/file_copy.h"
#include "engine/registry_access.h"
#include "engine/scope_folders.h"
#include "engine/shell_link.h"
#include "install/listed_files.h"
#include "uninstall/log_replay.h"
#include "win/code_page.h"
#include "win/failure_trace.h"
#include "win/handles.h"
#include "win/process.h"
#include "win/string_resources.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string DestPath(const char* entry)
{
    return setupState.destFolder + entry;
}

std::string LogPath()
{
    return DestPath(ProductProfile::uninstallLogPath);
}

// A line of the log that cannot be written is a part of the installation
// the uninstaller will not know of.
void LogLine(const std::string& text)
{
    if (!AppendLogLine(LogPath(), text)) TraceIncompleteLastError("write log", LogPath());
}

// folder already ends with a backslash only for a group equal to the
// Programs folder itself; the shortcut then goes straight into it.
void MakeShortcut(const std::string& folder, UINT nameId, const std::string& target)
{
    const std::string link =
        JoinFolder(folder, "\\" + LoadResourceString(nameId) + ProductProfile::shortcutExtension, IsCodePageLeadByte);
    if (!FitsMaxPath(link)) return TraceIncomplete("make shortcut", link, ERROR_FILENAME_EXCED_RANGE);
    const HRESULT result = CreateShellLink(target.c_str(), link.c_str(), "", SW_SHOWNORMAL, nullptr, nullptr);
    if (FAILED(result)) TraceIncompleteResult("make shortcut", link, result);
}

void RemoveEarlierInstallation()
{
    RemoveLoggedLinksAndFolders(DestPath(ProductProfile::earlierLogPath));
    RemoveLoggedLinksAndFolders(LogPath());
    RemoveLoggedFiles(setupState.sourceFolder + ProductProfile::uninstallLogPath, setupState.destFolder,
                      LogTag::fileDel);
}

// The program group folder and its four shortcuts. An unreadable Programs
// folder would put them at the root of the current drive: skipped instead.
void MakeProgramGroup()
{
    const std::string programs =
        ReadScopeShellFolder(ProductProfile::commonProgramsValue, ProductProfile::programsValue);
    setupState.programGroup = CleanProgramGroup(setupState.programGroup, IsCodePageLeadByte);
    const std::string named = programs + "\\" + setupState.programGroup;
    if (programs.empty()) return TraceIncomplete("make folder", named, ERROR_PATH_NOT_FOUND);

    const std::vector<std::string> chain = GroupFolderChain(programs, setupState.programGroup, IsCodePageLeadByte);
    if (chain.empty())
        return TraceIncomplete("make folder", named,
                               IsGroupName(setupState.programGroup) ? ERROR_FILENAME_EXCED_RANGE : ERROR_INVALID_NAME);
    for (const std::string& folder : chain) {
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            TraceIncompleteLastError("make folder", folder);
    }
    const std::string& group = chain.back();
    LogLine(std::string(LogTag::madeDir) + group);
    if (!PathExists(group)) return;

    MakeShortcut(group, IDS_PRODUCT_NAME, DestPath(ProductProfile::mainExecutablePath));
    MakeShortcut(group, IDS_HELP_SHORTCUT, DestPath(ProductProfile::helpFilePath));
    MakeShortcut(group, IDS_README_SHORTCUT, DestPath(ProductProfile::readmePath));
    MakeShortcut(group, IDS_UNINSTALL_SHORTCUT, DestPath(ProductProfile::uninstallerPath));
}

void MakeProductShortcut(const char* commonValue, const char* userValue)
{
    const std::string folder = ReadScopeShellFolder(commonValue, userValue);
    if (folder.empty()) return TraceIncomplete("make shortcut", userValue, ERROR_PATH_NOT_FOUND);
    MakeShortcut(folder, IDS_PRODUCT_NAME, DestPath(ProductProfile::mainExecutablePath));
}

// The listed files as they are in the destination after the copy: also
// those found in place, or left there by a copy that failed.
std::uint64_t InstalledBytes()
{
    FolderListing listing;
    listing.List(setupState.destFolder);
    std::uint64_t bytes = 0;
    ForEachListedFile([&](const FileFacts&, const std::string& target) {
        const FileFacts installed = listing.FactsOf(target);
        if (installed.attributes != INVALID_FILE_ATTRIBUTES) bytes += installed.size;
    });
    return bytes;
}

// What Windows' Add/Remove Programs, winget and inventory tools read beyond
// the entry's name and command: the icon, the folder, the size in KB (rounded
// up), a command that removes without a question, and no Change or Repair.
void WriteUninstallEntryExtras(const char* uninstallKey, const std::string& exe, const std::string& uninstallCommand)
{
    const std::string icon = exe + ProductProfile::iconIndexSuffix;
    const std::string quiet = uninstallCommand + " " + ProductProfile::silentSwitch;
    const DWORD size = Kilobytes(InstalledBytes(), true);
    HKEY m = HKEY_LOCAL_MACHINE;
    WriteRegistryString(m, uninstallKey, ProductProfile::displayIconValue, icon.c_str());
    WriteRegistryString(m, uninstallKey, ProductProfile::installLocationValue, setupState.destFolder.c_str());
    WriteRegistryDword(m, uninstallKey, ProductProfile::estimatedSizeValue, size);
    WriteRegistryString(m, uninstallKey, ProductProfile::quietUninstallStringValue, quiet.c_str());
    WriteRegistryDword(m, uninstallKey, ProductProfile::noModifyValue, 1);
    WriteRegistryDword(m, uninstallKey, ProductProfile::noRepairValue, 1);
}

void WriteRegistryEntries()
{
    const char* setupKey = ProductProfile::setupProductKey;
    const char* uninstallKey = ProductProfile::uninstallKey;
    const std::string exe = DestPath(ProductProfile::mainExecutablePath);
    const std::string uninstaller = DestPath(ProductProfile::uninstallerPath);
    const std::string displayName = LoadResourceString(IDS_PRODUCT_NAME);
    HKEY m = HKEY_LOCAL_MACHINE;

    WriteRegistryString(m, setupKey, ProductProfile::allUsersValue,
                        setupState.allUsers ? ProductProfile::allUsersData : ProductProfile::currentUserData);
    WriteRegistryString(m, setupKey, ProductProfile::pathValue, setupState.destFolder.c_str());
    WriteRegistryString(m, ProductProfile::appPathKey, nullptr, exe.c_str());
    WriteRegistryString(m, uninstallKey, ProductProfile::contactValue, ProductProfile::contactData);
    WriteRegistryString(m, uninstallKey, ProductProfile::displayNameValue, displayName.c_str());
    WriteRegistryString(m, uninstallKey, ProductProfile::displayVersionValue, ProductProfile::displayVersionData);
    WriteRegistryString(m, uninstallKey, ProductProfile::publisherValue, ProductProfile::publisher);
    // Quoted: unquoted, Windows would try "C:\Program.exe" first for a path with blanks.
    const std::string uninstallCommand = "\"" + uninstaller + "\"";
    WriteRegistryString(m, uninstallKey, ProductProfile::uninstallStringValue, uninstallCommand.c_str());
    WriteRegistryString(m, uninstallKey, ProductProfile::urlInfoAboutValue, ProductProfile::webSite);
    WriteUninstallEntryExtras(uninstallKey, exe, uninstallCommand);
}

// Runs the installed product once with "-readopts" alone as its command line
// and waits for it: that is how it takes over the options file.
void RunProductWithOptions()
{
    const std::string exe = DestPath(ProductProfile::mainExecutablePath);
    const KernelHandle product = StartProcess(exe, ProductProfile::readOptionsSwitch);
    if (!product.IsValid()) return TraceLastError("start program", exe);
    WaitForSingleObject(product.Get(), INFINITE);
}

void HandOverOptionsFile()
{
    // The variable a self-extracting package sets for the setup it unpacked.
    char sfxName[maxPath] = "";
    const DWORD length = GetEnvironmentVariableA(ProductProfile::sfxNameVariable, sfxName, static_cast<DWORD>(maxPath));
    const std::string packageFolder =
        length > 0 && length < maxPath ? ParentFolder(sfxName, IsCodePageLeadByte) : std::string();
    const char* ini = ProductProfile::settingsFile;
    int copied = 0;
    if (!packageFolder.empty())
        copied = CopyOneFile(ini, packageFolder.c_str(), setupState.destFolder.c_str(), nullptr);
    if (!copied) copied = CopyOneFile(ini, setupState.sourceFolder.c_str(), setupState.destFolder.c_str(), nullptr);
    if (copied) RunProductWithOptions();
}

// A list written by DOS tools may end in Ctrl-Z bytes; a reader that stops
// there would miss every line appended after them. They are cut off.
void CutTrailingCtrlZ(const std::string& path)
{
    KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE) return;
    DWORD end = size, read = 0;
    char last = 0;
    while (end > 0 && SetFilePointer(file.Get(), static_cast<LONG>(end - 1), nullptr, FILE_BEGIN) == end - 1 &&
           ReadFile(file.Get(), &last, 1, &read, nullptr) && read == 1 && last == '\x1a')
        --end;
    if (end < size && SetFilePointer(file.Get(), static_cast<LONG>(end), nullptr, FILE_BEGIN) == end)
        SetEndOfFile(file.Get());
}

}  // namespace

bool DestinationIsUsable()
{
    return !setupState.destFolder.empty() && !IsLink(setupState.destFolder);
}

void InstallFromList(const std::string& listPath)
{
    FolderCopy copy(setupState.sourceFolder, setupState.destFolder);
    ForEachLogLine(listPath, [&copy](const std::string& line) {
        std::string name, newName;
        if (!FileToCopy(line, name, newName, IsCodePageLeadByte)) return;
        if (newName.empty())
            copy.CopyMatching(name.c_str());
        else if (!copy.CopyOne(name.c_str(), newName.c_str()))
            TraceIncompleteLastError("copy file", JoinSearchPath(setupState.sourceFolder, name, IsCodePageLeadByte));
    });
}

int RunInstall()
{
    if (setupState.freshInstall == 0) RemoveEarlierInstallation();
    // What an earlier installation left and could not be cleared is not a
    // part of this one that failed.
    setupState.failedItems = 0;
    setupState.failedNames.clear();

    InstallFromList(setupState.sourceFolder + ProductProfile::uninstallLogPath);
    CopyMatchingFiles(ProductProfile::uninstallLog, setupState.sourceFolder.c_str(), setupState.destFolder.c_str());
    CutTrailingCtrlZ(LogPath());
    // Also completes a list whose last line has no line break.
    LogLine("");

    MakeProgramGroup();
    if (setupState.desktopIcon) MakeProductShortcut(ProductProfile::commonDesktopValue, ProductProfile::desktopValue);
    if (setupState.autoStart) MakeProductShortcut(ProductProfile::commonStartupValue, ProductProfile::startupValue);

    WriteRegistryEntries();
    HandOverOptionsFile();
    return 0;
}
