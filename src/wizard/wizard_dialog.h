// The wizard's frame: Back, Next and Cancel around one page at a time, the
// installation run from the last page, and Finish.
#pragma once

#include "framework/dialog.h"

#include <memory>
#include <string>

class WizardDialog : public Dialog {
public:
    // No parent: the wizard is the program's only window.
    WizardDialog();
    ~WizardDialog() override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnNext();
    void OnBack();
    void ShowLicensePage();
    void ShowPlacedPage();
    void PlacePage();
    void Install();
    void ShowFinishedState();
    void Finish();
    void ShowPageItem(int id, bool show);
    void DisableButtons();

    int pageIndex = -1;
    std::unique_ptr<Dialog> currentPage;
    std::string savedCaption;
};
