#include "win/disk_facts.h"

#include "core/buffer_sizes.h"
#include "core/path_utils.h"
#include "win/code_page.h"
#include "win/system_library.h"

#include <windows.h>

namespace {

// The root of the volume path lies on: a folder may be another volume's
// mount point. GetVolumePathNameA came with Windows 2000; before it, the
// drive's root.
std::string VolumeRoot(const std::string& path)
{
    using GetVolumePath = BOOL(WINAPI*)(LPCSTR, LPSTR, DWORD);
    const auto getVolumePath = ProcAddress<GetVolumePath>(GetModuleHandleA("kernel32.dll"), "GetVolumePathNameA");
    char root[maxPath] = "";
    if (getVolumePath != nullptr && getVolumePath(path.c_str(), root, static_cast<DWORD>(maxPath))) return root;
    return path.substr(0, 3);
}

}  // namespace

DiskFacts DiskFactsFor(const std::string& folder)
{
    DiskFacts facts;
    std::string existing = folder;
    while (!existing.empty() && GetFileAttributesA(existing.c_str()) == INVALID_FILE_ATTRIBUTES)
        existing = ParentFolder(existing.c_str(), IsCodePageLeadByte);
    const std::string path = WithSeparator(existing, IsCodePageLeadByte);
    ULARGE_INTEGER freeToCaller{}, total{}, free{};
    if (existing.empty() || !FitsMaxPath(path) || !GetDiskFreeSpaceExA(path.c_str(), &freeToCaller, &total, &free))
        return facts;
    facts.known = true;
    facts.freeToCaller = freeToCaller.QuadPart;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (GetDiskFreeSpaceA(VolumeRoot(path).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        facts.clusterSize = sectorsPerCluster * bytesPerSector;
    return facts;
}
