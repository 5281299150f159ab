// The wizard's first page: a greeting and the version being installed.
#pragma once

#include "framework/dialog.h"

class WelcomePage : public Dialog {
public:
    explicit WelcomePage(HWND frame);

protected:
    BOOL OnInitDialog() override;
};
