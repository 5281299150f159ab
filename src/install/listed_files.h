// The files a distribution list names, as the installation places them.
#pragma once

#include "engine/folder_listing.h"

#include <functional>
#include <string>

// For each file the list in setupState.sourceFolder names, patterns resolved
// against that folder, and for the list itself (it becomes the log): its
// facts there and the name it has in the destination folder. A name that
// matches nothing gives facts of no file.
void ForEachListedFile(const std::function<void(const FileFacts& source, const std::string& target)>& visit);
