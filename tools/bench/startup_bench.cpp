// Not a test: how long setup.exe takes from its start until the wizard's
// welcome page is on screen, against a bare program started the same way
// until its one empty dialog is (bare_dialog.exe: the part that is Windows's
// and Wine's). Lays out a distribution in FOLDER, then starts the two in
// turn RUNS times each, closes each window again, and prints every time and
// the medians (scripts/bench-startup runs it under Wine).
//   startup_bench FOLDER [RUNS]
#include "core/resource_ids.h"
#include "support/machine.h"
#include "support/ui.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

const char* const bareCaption = "Bare dialog";

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool LayOutDistribution(const std::string& folder)
{
    const std::string bin = BinFolder();
    return MakeFolders(folder) &&
           CopyFileA((bin + "\\setup.exe").c_str(), (folder + "\\setup.exe").c_str(), FALSE) &&
           CopyFileA((bin + "\\Pictrl5.exe").c_str(), (folder + "\\Pictrl5.exe").c_str(), FALSE) &&
           WriteFileText(folder + "\\agreement.txt", "Licence agreement.\r\n") &&
           WriteFileText(folder + "\\PictrlUnInst.log", "File Copy: Pictrl5.exe\r\n");
}

// The first visible top-level window of process with this caption; null while there is none.
HWND Shown(const std::string& caption, DWORD process)
{
    return ui::Find(caption, process, false, 0);
}

// The seconds from starting commandLine until shown(process) gives a window,
// which close then closes; -1 when something fails.
double TimeOneStart(const std::string& commandLine, const std::string& folder,
                    const std::function<HWND(DWORD)>& shown, const std::function<void(HWND, DWORD)>& close)
{
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    Process program;
    if (!program.Start(commandLine, folder)) return -1;
    HWND window = nullptr;
    for (;;) {
        QueryPerformanceCounter(&now);
        if ((window = shown(program.Id())) != nullptr) break;
        if (Seconds(start, now) > 60 || program.Wait(0) >= 0) return -1;
        Sleep(1);
    }
    close(window, program.Id());
    return program.Wait(30000) < 0 ? -1 : Seconds(start, now);
}

// The bare dialog, visible; its lack of controls would make it a message box to ui::Find.
HWND BareShown(DWORD process)
{
    HWND dialog = FindWindowA(nullptr, bareCaption);
    DWORD owner = 0;
    if (dialog != nullptr) GetWindowThreadProcessId(dialog, &owner);
    return owner == process && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND WelcomeShown(DWORD process)
{
    HWND frame = Shown(SetupText(IDS_APP_TITLE), process);
    return frame != nullptr && ui::Visible(ui::CurrentPage(frame), IDC_VERSION_LINE) ? frame : nullptr;
}

// Cancel, and Yes if setup asks whether to leave.
void CancelWizard(HWND frame, DWORD process)
{
    ui::Click(frame, IDCANCEL);
    WaitFor([&] {
        if (HWND box = ui::Find(SetupText(IDS_APP_TITLE), process, true, 0)) ui::Answer(box, IDYES);
        return !IsWindow(frame);
    });
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
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
    if (runs < 1 || !LayOutDistribution(folder)) {
        std::fprintf(stderr, "startup_bench: cannot lay out %s\n", folder.c_str());
        return 1;
    }
    const std::string bare = Quoted(BinFolder() + "\\bare_dialog.exe");
    const std::string setup = Quoted(folder + "\\setup.exe");
    std::vector<double> bareTimes, setupTimes;
    for (int run = 1; run <= runs; ++run) {
        const double b = TimeOneStart(bare, folder, BareShown,
                                      [](HWND w, DWORD) { PostMessageA(w, WM_CLOSE, 0, 0); });
        const double s = TimeOneStart(setup, folder, WelcomeShown, CancelWizard);
        if (b < 0 || s < 0) {
            std::fprintf(stderr, "startup_bench: run %d failed\n", run);
            return 1;
        }
        std::printf("run %d: bare dialog %.3f s, setup.exe to the welcome page %.3f s\n", run, b, s);
        std::fflush(stdout);
        bareTimes.push_back(b);
        setupTimes.push_back(s);
    }
    const double b = Median(bareTimes), s = Median(setupTimes);
    std::printf("runs=%d median bare dialog=%.3f s setup.exe=%.3f s difference=%.0f ms\n", runs, b, s,
                1000 * (s - b));
    return 0;
}
