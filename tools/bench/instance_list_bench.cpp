// How long the instance-list operations take with a full list: 1000 listed
// ids, none of which has a window (the slowest case for the notifications,
// since each one enumerates every top-level window). Not a test; run it
// with scripts/bench-instances. Uses its own instance name, so running
// copies of the product are not disturbed.
#include "instances/instance_manager.h"
#include "instances/main_window.h"
#include "core/shared_instance_list.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const benchInstance = "Velmora.Pictorel.v4.bench";
constexpr std::uint32_t firstFakeId = 0x40000001;  // odd: no process has it

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Notifications to processes without a window land in this thread's queue.
void DrainQueue()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// Rewrites the list directly: this process first, then fake ids up to count.
void FillList(std::uint32_t count)
{
    std::string name = std::string(COXInstanceManager::mappingPrefix) + benchInstance;
    KernelHandle mapping(OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name.c_str()));
    KernelHandle mutex(CreateMutexA(nullptr, FALSE, (COXInstanceManager::listMutexPrefix + std::string(benchInstance)).c_str()));
    MutexLock lock(mutex.Get(), INFINITE);
    MappedView view;
    if (!view.Map(mapping.Get(), FILE_MAP_READ | FILE_MAP_WRITE, SharedInstanceList::blockSize)) {
        std::fprintf(stderr, "cannot map the list\n");
        ExitProcess(1);
    }
    SharedInstanceList list(view.Get());
    list.Reset();
    list.Append(GetCurrentProcessId());
    for (std::uint32_t i = 1; i < count; ++i) list.Append(firstFakeId + 2 * i);
}

template <class Operation>
void Measure(const char* what, int runs, Operation operation, void (*between)() = nullptr)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        operation();
        QueryPerformanceCounter(&end);
        times.push_back(Microseconds(start, end));
        if (between != nullptr) between();
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times) sum += t;
    std::printf("%-58s runs %5d  median %10.1f us  mean %10.1f us  max %10.1f us\n", what, runs,
                times[times.size() / 2], sum / runs, times.back());
}

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

}  // namespace

int main()
{
    COXInstanceManager manager(benchInstance, 1024);
    if (manager.Failed()) {
        std::fprintf(stderr, "the manager could not be built\n");
        return 1;
    }
    int windows = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&windows));
    std::printf("top-level windows on the desktop: %d\n", windows);

    FillList(1000);
    std::printf("listed: %d\n", manager.CountInstances());
    std::vector<std::uint32_t> ids;
    Measure("CountInstances, 1000 listed", 500, [&] { manager.CountInstances(); });
    Measure("ListInstances, 1000 listed", 500, [&] { manager.ListInstances(ids); });
    Measure("FindMainWindow, id without a window", 200, [] { FindMainWindow(firstFakeId); });
    Measure("RegisterProcess refused, 1000 listed", 500, [&] { manager.RegisterProcess(7); });

    // The 1000th registration notifies the 999 listed before it.
    FillList(999);
    Measure("RegisterProcess, 999 listed (999 notifications)", 10,
            [&] { manager.RegisterProcess(firstFakeId); },
            [] { FillList(999); DrainQueue(); });
    // Leaving from the front moves 999 ids and notifies 999 processes.
    FillList(1000);
    Measure("UnregisterProcess of slot 1, 1000 listed (998 notified)", 10,
            [&] { manager.UnregisterProcess(firstFakeId + 2); },
            [] { FillList(1000); DrainQueue(); });
    FillList(1);
    return 0;
}
