#include "win/parent_folder.h"

#include "core/path_utils.h"

#include <windows.h>

namespace {

bool IsAnsiLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}

}  // namespace

std::string ParentFolder(const char* path)
{
    return ParentFolder(path, IsAnsiLeadByte);
}
