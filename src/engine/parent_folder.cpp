#include "engine/parent_folder.h"

#include "engine/path_utils.h"

#include <windows.h>

bool IsAnsiLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}

std::string ParentFolder(const char* path)
{
    return ParentFolder(path, IsAnsiLeadByte);
}
