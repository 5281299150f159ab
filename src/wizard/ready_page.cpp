#include "wizard/ready_page.h"

#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "win/string_resources.h"

ReadyPage::ReadyPage(HWND frame) : Dialog(IDD_READY, frame) {}

void ReadyPage::ShowInstalling()
{
    ShowItem(IDC_READY_TEXT, false);
    ShowItem(IDC_READY_HINT, false);
    ShowItem(IDC_INSTALLING_TEXT, true);
    UpdateWindow(Window());
}

void ReadyPage::ShowFinished()
{
    ShowItem(IDC_INSTALLING_TEXT, false);
    CheckItem(IDC_RUN_PRODUCT, false);
    ShowItem(IDC_RUN_PRODUCT, true);
    // Never "successfully installed" when something failed, and a restart
    // is asked for when a file in use goes at the next start.
    SetItemText(IDC_READY_TEXT, LoadResourceString(setupState.failedItems != 0 ? IDS_INCOMPLETE : IDS_INSTALLED));
    SetItemText(IDC_READY_HINT, LoadResourceString(setupState.restartNeeded != 0 ? IDS_RESTART_TO_COMPLETE
                                                                                  : IDS_PRESS_FINISH));
    ShowItem(IDC_READY_TEXT, true);
    ShowItem(IDC_READY_HINT, true);
}

bool ReadyPage::RunProductChosen() const
{
    return IsItemChecked(IDC_RUN_PRODUCT);
}
