// Drives the setup wizard of another process as a user would: finds its
// frame, tells the pages apart by their controls, makes the choices and
// clicks Next, Finish or Cancel.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

enum class WizardPage { none, welcome, license, destination, programGroup, ready };

struct WizardChoices {
    int allUsers = -1;             // -1: as the destination page shows it
    const char* group = nullptr;   // typed into the group box; null: as shown
    int autoStart = -1;            // -1: as shown
    int desktopIcon = -1;          // -1: as shown
};

// What the pages showed on the way.
struct WizardSeen {
    std::string versionLine;       // the welcome page's control 1003
    bool allUsersChecked = false;  // the destination page on arrival
    std::string destination;       // control 1013 on arrival
    std::string group;             // the group box's text on arrival
    int autoStart = -1, desktopIcon = -1;
};

HWND WaitForWizard(DWORD processId, DWORD timeoutMs = 30000);
WizardPage CurrentPage(HWND wizard);
HWND CurrentPageWindow(HWND wizard);

// Called on each page once it shows, before anything on it is changed (the
// license page: once the licence has been accepted).
using PageShown = std::function<void(WizardPage page)>;

// From the welcome page to the ready page.
::testing::AssertionResult WalkToReadyPage(HWND wizard, const WizardChoices& choices, WizardSeen* seen = nullptr,
                                           const PageShown& shown = nullptr);
// Next on the ready page, then, once the installation is done, Finish with
// the Run checkbox as asked; finished is called just before Finish.
::testing::AssertionResult InstallAndFinish(HWND wizard, bool runProduct,
                                            const std::function<void()>& finished = nullptr);
// Cancel, and Yes on the confirmation.
::testing::AssertionResult CancelWizard(HWND wizard, DWORD processId);
