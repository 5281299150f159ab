#include "install/install_detection.h"

#include "core/install_folder_rules.h"
#include "core/product_profile.h"
#include "core/setup_state.h"
#include "win/code_page.h"
#include "win/handles.h"
#include "win/module_path.h"
#include "win/registry_text.h"
#include "win/system_library.h"

#include <windows.h>

#include <vector>

namespace {

// VERSION.dll is not one of the DLLs Windows always takes from the system
// folder, so it is not imported: it is loaded from there by its full path
// when a version is first read, and kept until the program ends.
struct VersionLibrary {
    LibraryHandle module;
    decltype(&GetFileVersionInfoSizeA) infoSize = nullptr;
    decltype(&GetFileVersionInfoA) info = nullptr;
    decltype(&VerQueryValueA) query = nullptr;

    bool Load()
    {
        if (!module.IsValid()) {
            module.Attach(LoadSystemLibrary("version.dll"));
            infoSize = ProcAddress<decltype(infoSize)>(module.Get(), "GetFileVersionInfoSizeA");
            info = ProcAddress<decltype(info)>(module.Get(), "GetFileVersionInfoA");
            query = ProcAddress<decltype(query)>(module.Get(), "VerQueryValueA");
        }
        return infoSize != nullptr && info != nullptr && query != nullptr;
    }
} version;

}  // namespace

std::string FindExistingInstallFolder()
{
    std::string folder = ReadRegistryString(HKEY_LOCAL_MACHINE, ProductProfile::productKey, ProductProfile::pathValue);
    if (folder.empty())
        folder = FolderFromAppPath(ReadRegistryString(HKEY_LOCAL_MACHINE, ProductProfile::appPathKey, nullptr),
                                   IsCodePageLeadByte);
    return WithoutTrailingBackslash(folder, IsCodePageLeadByte);
}

std::string DefaultProgramsRoot()
{
    std::string root =
        ReadRegistryString(HKEY_LOCAL_MACHINE, ProductProfile::currentVersionKey, ProductProfile::programFilesValue);
    if (root.empty()) {
        char windows[maxPath] = "";
        const UINT n = GetWindowsDirectoryA(windows, static_cast<UINT>(maxPath));
        root = ProgramFilesFromWindowsFolder(std::string(windows, n < maxPath ? n : 0), IsCodePageLeadByte);
    }
    return WithoutTrailingBackslash(root, IsCodePageLeadByte);
}

std::string SetupFolderPath()
{
    // A truncated path names no real folder: "", on which the install driver stops as damaged.
    const std::string path = OwnProgramPath();
    return ParentFolder(path.c_str(), IsCodePageLeadByte);
}

void ReadFileVersion(const std::string& path)
{
    setupState.versionMajor = setupState.versionMinor = setupState.versionBuild = setupState.versionRevision = 0;
    if (!version.Load()) return;
    DWORD handle = 0;
    DWORD size = version.infoSize(path.c_str(), &handle);
    if (size == 0) return;
    std::vector<unsigned char> block(size);
    if (!version.info(path.c_str(), handle, size, block.data())) return;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (version.query(block.data(), "\\", reinterpret_cast<void**>(&info), &length) && info != nullptr &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        setupState.versionMajor = HIWORD(info->dwFileVersionMS);
        setupState.versionMinor = LOWORD(info->dwFileVersionMS);
        setupState.versionBuild = HIWORD(info->dwFileVersionLS);
        setupState.versionRevision = LOWORD(info->dwFileVersionLS);
    }
}
