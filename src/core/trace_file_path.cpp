#include "core/trace_file_path.h"

bool IsTraceFilePath(const std::string& fullPath, LeadByteTest isLeadByte)
{
    const bool onDrive = fullPath.size() > 3 && ((fullPath[0] | 0x20) >= 'a' && (fullPath[0] | 0x20) <= 'z') &&
                         fullPath[1] == ':' && fullPath[2] == '\\';
    return onDrive && FindCharacter(fullPath, ":", 2, isLeadByte) == std::string::npos &&
           !IsReservedDeviceName(FileNameOf(fullPath, isLeadByte), isLeadByte);
}
