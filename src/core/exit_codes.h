// What setup.exe and its uninstaller tell the program that started them: a
// deployment tool reads nothing else. Where Windows has a code for the case,
// it is that code, which deployment tools know and show with its message.
#pragma once

#include <cstdint>

constexpr int exitSuccess = 0;
// The distribution is incomplete: no versioned main executable, no list.
constexpr int exitDamagedSetup = 1;
// ERROR_DISK_FULL: the destination's drive cannot take the files; nothing
// was touched.
constexpr int exitNoSpace = 112;
// ERROR_DIRECTORY: the destination is a junction, symbolic link or mount
// point; nothing was touched.
constexpr int exitUnusableDestination = 267;
// ERROR_INSTALL_FAILURE: something could not be installed (or removed).
constexpr int exitIncomplete = 1603;
// ERROR_SUCCESS_REBOOT_REQUIRED: done; a restart of Windows completes it.
constexpr int exitRestartRequired = 3010;

// How a run that went to its end ends: incomplete before restart-required.
inline int OutcomeExitCode(std::uint32_t failedItems, std::int32_t restartNeeded)
{
    return failedItems != 0 ? exitIncomplete : restartNeeded != 0 ? exitRestartRequired : exitSuccess;
}
