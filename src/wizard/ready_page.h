// The wizard's last page in its three states: ready (as the template has it),
// installing and finished. The frame says when; the page shows each itself.
#pragma once

#include "framework/dialog.h"

class ReadyPage : public Dialog {
public:
    explicit ReadyPage(HWND frame);

    // The ready texts give way to the installing text, drawn at once: no
    // message is handled until the installation returns.
    void ShowInstalling();
    // The installed texts and the choice to run the product, unchecked.
    void ShowFinished();
    bool RunProductChosen() const;
};
