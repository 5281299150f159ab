// Not a test: how long setup.exe takes from its start until the wizard's
// welcome page is on screen. Lays out a distribution beside itself, starts
// setup.exe from it RUNS times, cancels each wizard, and prints each time and
// the median (scripts/bench-startup runs it under Wine).
//   startup_bench.exe FOLDER [RUNS]
#include "e2e/distribution.h"
#include "e2e/program_run.h"
#include "e2e/wizard_walk.h"
#include "core/resource_ids.h"
#include "support/ui_driver.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The welcome page's version line is visible in the frame of the process.
bool WelcomeShown(DWORD processId, HWND& wizard)
{
    wizard = ui::FindTopWindow("Pictorel 5 Setup", processId);
    return wizard != nullptr && CurrentPage(wizard) == WizardPage::welcome &&
           ui::ItemVisible(CurrentPageWindow(wizard), IDC_VERSION_LINE);
}

// One run; the seconds until the welcome page showed, or -1.
double TimeOneRun(const std::string& folder, const LARGE_INTEGER& frequency)
{
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    ProgramRun setup;
    if (!setup.Start(Quoted(folder + "\\setup.exe"), folder)) return -1;
    HWND wizard = nullptr;
    for (;;) {
        QueryPerformanceCounter(&now);
        if (WelcomeShown(setup.Id(), wizard)) break;
        if (Seconds(start, now, frequency) > 60 || !setup.Running()) return -1;
        Sleep(1);
    }
    const double seconds = Seconds(start, now, frequency);
    if (!CancelWizard(wizard, setup.Id()) || setup.WaitForExit(30000) < 0) return -1;
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
    if (!LayOutDistribution(folder, DistributionContent{})) {
        std::fprintf(stderr, "startup_bench: cannot lay out %s\n", folder.c_str());
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int run = 1; run <= runs; ++run) {
        const double seconds = TimeOneRun(folder, frequency);
        if (seconds < 0) {
            std::fprintf(stderr, "startup_bench: run %d failed\n", run);
            return 1;
        }
        std::printf("run %d: %.3f s to the welcome page\n", run, seconds);
        std::fflush(stdout);
        times.push_back(seconds);
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2 ? times[times.size() / 2]
                                            : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    std::printf("runs=%d min=%.3f s median=%.3f s max=%.3f s\n", runs, times.front(), median, times.back());
    return 0;
}
