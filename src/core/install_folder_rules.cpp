#include "core/install_folder_rules.h"

#include "core/product_profile.h"

std::string RemoveOneTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

std::string FolderFromAppPath(const std::string& appPathValue)
{
    std::size_t at = appPathValue.find(ProductProfile::mainExecutablePath);
    if (at == std::string::npos) return std::string();
    return RemoveOneTrailingBackslash(appPathValue.substr(0, at));
}

std::string ProgramFilesFromWindowsFolder(const std::string& windowsFolder)
{
    std::size_t slash = windowsFolder.find('\\');
    std::string root = slash == std::string::npos ? windowsFolder : windowsFolder.substr(0, slash + 1);
    return RemoveOneTrailingBackslash(root + ProductProfile::programFilesFallback);
}

std::string FolderOfProgram(const std::string& programPath)
{
    std::size_t slash = programPath.rfind('\\');
    return slash == std::string::npos ? std::string() : programPath.substr(0, slash);
}
