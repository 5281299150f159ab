// The process-wide objects of setup.exe, defined in one file so that they are
// constructed in this order and destroyed in the reverse order at exit.
#include "app/setup_app.h"
#include "core/product_profile.h"
#include "core/setup_state.h"
#include "instances/instance_manager.h"

// First: lists this process among the running instances before anything else
// is built, and, destroyed last, takes it out again at normal exit.
COXInstanceManager instanceManager(ProductProfile::instanceManagerName, ProductProfile::instanceAdditionalAreaSize);

// Second: the application object.
SetupApp theApp;

// Third: the setup state's strings.
SetupState setupState;
