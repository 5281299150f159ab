#include "core/install_folder_rules.h"

#include "core/product_profile.h"

std::string FolderFromAppPath(const std::string& appPathValue, LeadByteTest isLeadByte)
{
    const std::string name = ProductProfile::mainExecutablePath;
    for (std::size_t at = FindCharacter(appPathValue, "\\", 0, isLeadByte); at != std::string::npos;
         at = FindCharacter(appPathValue, "\\", at + 1, isLeadByte)) {
        if (appPathValue.compare(at, name.size(), name) == 0)
            return WithoutTrailingBackslash(appPathValue.substr(0, at), isLeadByte);
    }
    return std::string();
}

std::string ProgramFilesFromWindowsFolder(const std::string& windowsFolder, LeadByteTest isLeadByte)
{
    std::size_t slash = FindCharacter(windowsFolder, "\\", 0, isLeadByte);
    std::string root = slash == std::string::npos ? windowsFolder : windowsFolder.substr(0, slash + 1);
    return WithoutTrailingBackslash(root + ProductProfile::programFilesFallback, isLeadByte);
}
