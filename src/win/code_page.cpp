#include "win/code_page.h"

#include <windows.h>

bool IsCodePageLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}
