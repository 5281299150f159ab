// Keeps a file in use from a second process until told to let go.
//   file_holder run READY RELEASE        runs, so its own image is in use
//   file_holder open PATH READY RELEASE  holds PATH open, sharing reading
//                                        only
// READY and RELEASE name events: READY is set once the file is held, and the
// program ends when RELEASE is set (or after a minute).
#include <windows.h>

#include <cstring>

int main(int argc, char** argv)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    int events = 2;
    if (argc == 4 && std::strcmp(argv[1], "run") == 0) {
        events = 2;
    } else if (argc == 5 && std::strcmp(argv[1], "open") == 0) {
        file = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
        if (file == INVALID_HANDLE_VALUE) return 2;
        events = 3;
    } else {
        return 1;
    }
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[events]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[events + 1]);
    if (ready == nullptr || release == nullptr) return 3;
    SetEvent(ready);
    WaitForSingleObject(release, 60000);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return 0;
}
