#include "uninstall/uninstall_procedure.h"

#include "core/path_utils.h"
#include "core/product_profile.h"
#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "core/text_format.h"
#include "engine/reboot_delete.h"
#include "uninstall/default_shortcuts.h"
#include "uninstall/image_associations.h"
#include "uninstall/log_replay.h"
#include "uninstall/registry_cleanup.h"
#include "win/code_page.h"
#include "win/failure_trace.h"
#include "win/string_resources.h"

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
    if (!FitsMaxPath(folder) || RemoveDirectoryA(folder.c_str())) return;
    // Left only by files that go at the next start, it goes after them.
    if (setupState.restartNeeded && !DeleteAtReboot(folder)) TraceIncompleteLastError("remove folder", folder);
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

std::string UninstallOutcomeText()
{
    const std::string restart = setupState.restartNeeded != 0 ? LoadResourceString(IDS_UNINSTALLED_RESTART) : "";
    if (setupState.failedItems == 0) return restart.empty() ? LoadResourceString(IDS_UNINSTALLED) : restart;
    std::string text = LoadResourceString(IDS_NOT_REMOVED);
    FormatInto(text, failureMessageSize, text.c_str(), setupState.failedNames.c_str());
    return restart.empty() ? text : text + "\n\n" + restart;
}
