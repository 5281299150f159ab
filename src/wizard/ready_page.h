// The wizard's last page. It has no behaviour of its own: the frame switches
// it between ready, installing and finished by its controls' ids.
#pragma once

#include "framework/dialog.h"

class ReadyPage : public Dialog {
public:
    explicit ReadyPage(HWND frame);
};
