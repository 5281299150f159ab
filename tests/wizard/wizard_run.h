// Running the real wizard under a test: modally on the test's thread, as the
// install driver runs it, while a script drives it from a second thread.
#pragma once

#include "support/sandbox.h"

#include <windows.h>

#include <functional>
#include <string>

// Runs a WizardDialog with no parent and returns its modal result. script
// gets the frame's window once it is on screen. Whatever the script leaves
// open is closed afterwards (cancelled and confirmed, or finished), so a
// failing script cannot hang the test program.
INT_PTR RunWizard(const std::function<void(HWND frame)>& script);

// "Pictorel 5 Setup", the caption of the frame and of every box.
std::string AppTitle();

enum class Page { none, welcome, license, destination, programGroup, ready };
Page PageShown(HWND frame);
// Next or Back, waiting for the following page to replace the current one.
bool GoNext(HWND frame);
bool GoBack(HWND frame);
// From the welcome page to page, accepting the licence on the way.
bool GoForwardTo(HWND frame, Page page);

// The current page's top-left corner in the frame's client coordinates.
POINT PageOrigin(HWND frame);

// The window with the keyboard focus on the wizard's thread.
HWND WizardFocus();

// A sandbox with the setup state a fresh interactive install starts the
// wizard with, and the sandbox root as current directory.
class WizardTest : public Sandbox {
protected:
    void SetUp() override;
    std::string DefaultDestination() const { return Path("Program Files\\Pictorel 5"); }
};
