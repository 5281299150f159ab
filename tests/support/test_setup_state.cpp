#include "app/setup_state.h"

// setup.exe defines this among its process-wide objects; test programs own one.
SetupState setupState;
