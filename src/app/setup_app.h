// The application object: the program's one start-up call, in which every
// run happens from the mode decision to its end.
#pragma once

#include "framework/application.h"

class SetupApp : public Application {
public:
    bool InitInstance() override;
};
