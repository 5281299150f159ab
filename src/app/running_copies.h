// Running copies of the product (and of this setup) listed in the instance
// list: the question about them and their closing.
#pragma once

#include <string>

class COXInstanceManager;

// Posts each other listed copy's main window WM_CLOSE (wParam 1001), waits
// for its end at most 10 ms and terminates the process. Only processes whose
// executable is the product's or this setup's and that run in this setup's
// session are touched, through one handle held from the check of their
// identity to their end.
void CloseOtherCopies(COXInstanceManager& manager);

// The question for count other copies: string 1 for one, string 4 with the
// count for more.
std::string RunningCopiesQuestion(int count);
