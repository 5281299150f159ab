#include "core/removal_entries.h"

#include "core/product_profile.h"
#include "core/install_log.h"

#include <cstring>

namespace {

const char* const allFileTags[] = {LogTag::fileCopy, LogTag::fileOverwrite, LogTag::fileDel};

bool EndsWithNoCase(const std::string& text, const char* suffix)
{
    std::size_t length = std::strlen(suffix);
    if (text.size() < length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        char a = text[text.size() - length + i];
        char b = suffix[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

}  // namespace

bool FilePatternToRemove(const std::string& line, const char* tag, std::string& pattern)
{
    for (const char* sought : allFileTags) {
        if (tag != nullptr && std::strcmp(tag, sought) != 0) continue;
        if (!HasTag(line, sought)) continue;
        std::string name = InstalledName(StripAnnotation(TagOperand(line, sought)));
        if (!IsPlainFileName(name)) return false;
        pattern = name;
        return true;
    }
    return false;
}

bool ShortcutToRemove(const std::string& line, std::string& path)
{
    if (!HasTag(line, LogTag::shellLink)) return false;
    std::string operand = TagOperand(line, LogTag::shellLink);
    if (!EndsWithNoCase(operand, ProductProfile::shortcutExtension)) return false;
    path = operand;
    return true;
}

bool FolderToRemove(const std::string& line, std::string& folder)
{
    if (!HasTag(line, LogTag::madeDir)) return false;
    folder = TagOperand(line, LogTag::madeDir);
    return !folder.empty();
}
