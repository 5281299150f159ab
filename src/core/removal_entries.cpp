#include "core/removal_entries.h"

#include "core/install_log.h"
#include "core/product_profile.h"
#include "core/text.h"

#include <cstring>

namespace {

const char* const allFileTags[] = {LogTag::fileCopy, LogTag::fileOverwrite, LogTag::fileDel};

}  // namespace

bool FilePatternToRemove(const std::string& line, const char* tag, std::string& pattern, LeadByteTest isLeadByte)
{
    for (const char* sought : allFileTags) {
        if (tag != nullptr && std::strcmp(tag, sought) != 0) continue;
        if (!HasTag(line, sought)) continue;
        std::string name = InstalledName(StripAnnotation(TagOperand(line, sought)));
        if (!IsPlainFileName(name, isLeadByte)) return false;
        pattern = name;
        return true;
    }
    return false;
}

bool ShortcutToRemove(const std::string& line, std::string& path)
{
    if (!HasTag(line, LogTag::shellLink)) return false;
    std::string operand = TagOperand(line, LogTag::shellLink);
    if (!EndsWithIgnoringCase(operand, ProductProfile::shortcutExtension)) return false;
    path = operand;
    return true;
}

bool FolderToRemove(const std::string& line, std::string& folder)
{
    if (!HasTag(line, LogTag::madeDir)) return false;
    folder = TagOperand(line, LogTag::madeDir);
    return !folder.empty();
}
