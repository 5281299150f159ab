// Message boxes of another process: which standard icon they show, and
// answering one after checking that it says what it should.
#pragma once

#include "support/ui_driver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// The icon handle a box holds belongs to its process and means nothing in
// ours, so the icon is recognised by its pixels on the screen: none when the
// box has no icon; other when the pixels match no standard icon within
// timeoutMs (the box may still be painting).
ui::BoxIcon ShownBoxIcon(HWND box, DWORD timeoutMs = 3000);

struct ExpectedBox {
    std::string text;
    ui::BoxIcon icon;
    std::vector<int> buttons;  // ids in the box's order
    bool noOwner = false;      // shown with no owner window
    int defaultButton = 0;     // the button Enter presses; 0: not checked
};

// Waits for a box with caption from processId (0: any process), checks it
// against expected and clicks answer.
::testing::AssertionResult AnswerExpectedBox(const char* caption, DWORD processId, const ExpectedBox& expected,
                                             int answer, DWORD timeoutMs = 30000);

namespace ui {
// For readable test failures.
void PrintTo(BoxIcon icon, std::ostream* out);
}  // namespace ui
