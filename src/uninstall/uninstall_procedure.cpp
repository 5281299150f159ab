#include "uninstall/uninstall_procedure.h"

#include "core/path_utils.h"
#include "core/product_profile.h"
#include "uninstall/default_shortcuts.h"
#include "uninstall/image_associations.h"
#include "uninstall/log_replay.h"
#include "uninstall/registry_cleanup.h"
#include "win/code_page.h"

#include <windows.h>
#include <shlobj.h>

namespace {

void ReplayLogs(const std::string& folder)
{
    const std::string logs[] = {JoinSearchPath(folder, ProductProfile::earlierLog, IsCodePageLeadByte),
                                JoinSearchPath(folder, ProductProfile::uninstallLog, IsCodePageLeadByte)};
    // Each log in full, both passes, before the next.
    for (const std::string& log : logs) RemoveLoggedLinksAndFolders(log);
    for (const std::string& log : logs) RemoveLoggedFiles(log, folder, nullptr);
    DeleteMatchingFiles(folder, ProductProfile::uninstallLog);
}

void RemoveInstallationFolder(const std::string& folder)
{
    // A folder that is the current directory cannot be removed.
    SetCurrentDirectoryA("\\");
    if (FitsMaxPath(folder)) RemoveDirectoryA(folder.c_str());
}

}  // namespace

void RunUninstall(const std::string& folder)
{
    RemoveProductRegistry(ProductProfile::vendorName, ProductProfile::versionedProductName,
                          ProductProfile::productName, ProductProfile::mainExecutable);
    if (RestoreImageAssociations()) SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    // No folder would make the names below the current drive's root.
    if (!folder.empty()) {
        ReplayLogs(folder);
        RemoveInstallationFolder(folder);
    }
    RemoveAllUsersDefaultShortcuts();
    RemovePerUserDefaultShortcuts();
}
