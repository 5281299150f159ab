// What the user is told when the installation cannot do everything: too
// little space before it starts, parts not installed after it.
#pragma once

#include "install/disk_space.h"

#include <string>

// The space question's text: the destination, what is needed, what is free.
std::string NotEnoughSpaceText(const DiskSpace& space);
// How many parts could not be installed and the first few of them.
std::string PartsNotInstalledText();
