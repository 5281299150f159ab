#include "engine/shell_link.h"

#include "core/install_log.h"
#include "core/path_utils.h"
#include "core/product_profile.h"
#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "win/code_page.h"
#include "win/failure_trace.h"
#include "win/handles.h"
#include "win/string_resources.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <string>

std::int32_t comInitialized = 0;

namespace {

void ShowLinkProblem(const char* text)
{
    const std::string caption = LoadResourceString(IDS_APP_TITLE);
    MessageBoxA(nullptr, text, caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// The target without the quotes that may enclose it; false when it does not
// fit the target buffer.
bool BareTarget(const char* target, std::string& bare)
{
    if (target == nullptr) target = "";
    if (target[0] == '"') ++target;
    bare = target;
    if (bare.size() >= linkTargetSize) return false;
    if (!bare.empty() && bare.back() == '"') bare.pop_back();
    return true;
}

void DescribeLink(IShellLinkA* link, const char* target, const char* description, int showCommand,
                  const char* arguments, const char* workingFolder)
{
    std::string bare;
    if (!BareTarget(target, bare) || FAILED(link->SetPath(bare.c_str()))) ShowLinkProblem("SetPath failed!");
    if (FAILED(link->SetDescription(description != nullptr ? description : "")))
        ShowLinkProblem("SetDescription failed!");
    if (showCommand != SW_SHOWNORMAL) link->SetShowCmd(showCommand);
    if (arguments != nullptr) link->SetArguments(arguments);
    if (workingFolder != nullptr) link->SetWorkingDirectory(workingFolder);
}

HRESULT SaveLink(IPersistFile* file, const char* linkPath)
{
    WCHAR widePath[maxPath];
    if (linkPath == nullptr ||
        MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, static_cast<int>(maxPath)) == 0)
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    return file->Save(widePath, TRUE);
}

}  // namespace

HRESULT CreateShellLink(const char* target, const char* linkPath, const char* description, int showCommand,
                        const char* arguments, const char* workingFolder)
{
    if (comInitialized == 0) {
        CoInitialize(nullptr);
        comInitialized = 1;
    }
    ComPtr<IShellLinkA> link;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid());
    if (FAILED(result)) return result;
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.ReceiveVoid());
    if (FAILED(result)) return result;

    DescribeLink(link.Get(), target, description, showCommand, arguments, workingFolder);
    result = SaveLink(file.Get(), linkPath);
    const std::string log = JoinFolder(setupState.destFolder, ProductProfile::uninstallLogPath, IsCodePageLeadByte);
    if (SUCCEEDED(result) && !AppendLogLine(log, std::string(LogTag::shellLink) + linkPath))
        TraceIncompleteLastError("write log", log);
    return result;
}
