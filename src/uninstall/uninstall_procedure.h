// Taking an installation of the product off the machine.
#pragma once

#include <string>

// Removes the product's registry entries, gives back the image associations,
// replays "install.log" and "PictrlUnInst.log" of folder, deletes the log and the folder when nothing else is
// left in it, and the default shortcuts and group of every shell folder it
// can reach. Asks and reports nothing; a failed step is passed over.
void RunUninstall(const std::string& folder);

// The closing message: uninstalled; or uninstalled but for files that go at
// the next start; or what could be neither removed nor scheduled.
std::string UninstallOutcomeText();
