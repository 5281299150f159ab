#include "install/disk_space.h"

#include "core/setup_state.h"
#include "core/space_needed.h"
#include "install/listed_files.h"
#include "win/disk_facts.h"

DiskSpace MeasureDiskSpace()
{
    const std::string& dest = setupState.destFolder;
    const DiskFacts disk = DiskFactsFor(dest);
    if (!disk.known) return DiskSpace{};
    FolderListing destListing;
    destListing.List(dest);
    SpaceNeeded space(disk.clusterSize);
    ForEachListedFile([&](const FileFacts& file, const std::string& target) {
        if (file.attributes == INVALID_FILE_ATTRIBUTES || (file.attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
        const FileFacts replaced = destListing.FactsOf(target);
        space.Add(file.size, replaced.attributes == INVALID_FILE_ATTRIBUTES ? 0 : replaced.size);
    });
    return DiskSpace{space.Bytes(), disk.freeToCaller};
}
