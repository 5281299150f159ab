#include "engine/reboot_delete.h"

#include "core/product_profile.h"
#include "core/wininit_section.h"
#include "win/failure_trace.h"

#include <vector>

MoveFileExFunction rebootMoveFileEx = ::MoveFileExA;

namespace {

bool AddToWininitRenameSection(const std::string& path)
{
    std::vector<char> block(bootRenameSectionSize, '\0');
    DWORD length = GetPrivateProfileSectionA(ProductProfile::bootRenameSection, block.data(),
                                             static_cast<DWORD>(block.size()), ProductProfile::bootRenameFile);
    if (!AppendBootDeleteLine(block.data(), block.size(), length, path)) {
        TraceFailure("delete at restart", path, ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    if (WritePrivateProfileSectionA(ProductProfile::bootRenameSection, block.data(), ProductProfile::bootRenameFile))
        return true;
    TraceLastError("delete at restart", path);
    return false;
}

}  // namespace

bool DeleteAtReboot(const std::string& path)
{
    // An empty path would become a "NUL=" line, which names no file at all.
    if (path.empty()) return false;
    if (rebootMoveFileEx(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return true;
    return AddToWininitRenameSection(path);
}
