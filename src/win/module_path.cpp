#include "win/module_path.h"

#include "core/buffer_sizes.h"
#include "core/path_utils.h"
#include "win/system_library.h"

#include <windows.h>

namespace {

// GetLongPathNameA came with Windows 98 and 2000: looked up at run time.
std::string LongPathOf(const std::string& path)
{
    using GetLongPath = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    const auto getLongPath = ProcAddress<GetLongPath>(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA");
    char longPath[maxPath] = "";
    const DWORD n = getLongPath != nullptr ? getLongPath(path.c_str(), longPath, static_cast<DWORD>(maxPath)) : 0;
    return n > 0 && n < maxPath ? std::string(longPath, n) : std::string();
}

}  // namespace

std::string OwnProgramPath()
{
    char path[maxPath] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, static_cast<DWORD>(maxPath));
    if (n == 0 || n >= maxPath) return std::string();
    const std::string modulePath(path, n);
    return LongFormOf(modulePath, LongPathOf(modulePath));
}
