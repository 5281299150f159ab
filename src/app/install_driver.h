// One installation from start to end, once install mode has been chosen.
#pragma once

// 0: the run went to its end, its exit code set on the application (see
// core/exit_codes.h); 1: the user declined the version question or left the
// wizard without finishing it.
int RunInstallDriver();

// Tells the user the setup files are damaged, opens the maker's web site and
// ends the process with exit code 1.
[[noreturn]] void AbortDamagedSetup();
