// The uninstaller's hand-over to a copy of itself in the temporary folder,
// so that its own file, in the folder being removed, can go too.
#pragma once

// Copies the running executable to a fresh "uni" file in a new folder of the
// temporary folder that only administrators can change (when this process
// is one), the copy held open against writing until it has started, and
// starts it with "-delself", this executable's path and, when
// setupState.silent, "-s". On success the process ends at once with exit
// code 0 and without exit-time clean-up (no static destructors, no exit
// handlers). Returns only when the copy could not be made or started.
void StartTemporaryUninstaller();

// Run by that copy: registers its own file, and then the folder it was
// placed in, for deletion at the next start of Windows.
void ScheduleOwnRemoval();
