// The process-wide objects of setup.exe, defined in one file so that they are
// constructed in this order and destroyed in the reverse order at exit.
#include "app/setup_state.h"

SetupState setupState;
