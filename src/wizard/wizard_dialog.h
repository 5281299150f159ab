// The wizard's frame: Back, Next and Cancel around one page at a time, stepped
// through a table of pages; the installation run from the last page, and
// Finish.
#pragma once

#include "framework/dialog.h"
#include "win/handles.h"

#include <memory>
#include <string>

struct WizardStep;

class WizardDialog : public Dialog {
public:
    // No parent: the wizard is the program's only window.
    WizardDialog();
    ~WizardDialog() override;

protected:
    BOOL OnInitDialog() override;
    bool OnButton(int id) override;
    void OnOK() override;
    void OnCancel() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Next (+1) or Back (-1): the page at step + delta; Next on the last page
    // installs, and once installed finishes.
    void Go(int delta);
    void Show(const WizardStep& step);
    void FitSidePicture();
    void PlaceBesidePicture();
    void Install();
    void Finish();

    int step_ = -1;
    bool installed_ = false;
    std::unique_ptr<Dialog> page_;
    std::string savedCaption_;
    BitmapHandle sidePicture_;  // the control's image, after the control has gone with the window
};
