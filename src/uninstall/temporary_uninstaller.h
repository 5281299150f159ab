// The uninstaller's hand-over to a copy of itself in the temporary folder,
// so that its own file, in the folder being removed, can go too.
#pragma once

// Copies the running executable to a fresh "uni" file of the temporary
// folder and starts it with "-delself", this executable's path and, when
// setupState.silent, "-s". On success the process ends at once with exit
// code 0 and without exit-time clean-up (no static destructors, no exit
// handlers). Returns only when the copy could not be made or started.
void StartTemporaryUninstaller();
