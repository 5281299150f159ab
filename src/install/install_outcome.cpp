#include "install/install_outcome.h"

#include "core/buffer_sizes.h"
#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "core/space_needed.h"
#include "core/text_format.h"
#include "win/string_resources.h"

std::string NotEnoughSpaceText(const DiskSpace& space)
{
    std::string text = LoadResourceString(IDS_NOT_ENOUGH_SPACE);
    FormatInto(text, failureMessageSize, text.c_str(), setupState.destFolder.c_str(),
               static_cast<unsigned long>(Kilobytes(space.needed, true)),
               static_cast<unsigned long>(Kilobytes(space.free, false)));
    return text;
}

std::string PartsNotInstalledText()
{
    std::string text = LoadResourceString(IDS_PARTS_NOT_INSTALLED);
    FormatInto(text, failureMessageSize, text.c_str(), static_cast<unsigned long>(setupState.failedItems),
               setupState.failedNames.c_str());
    return text;
}
