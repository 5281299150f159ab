// What setup.exe tells the program that started it: a deployment tool reads
// nothing else. Where Windows has a code for the case, it is that code, so
// that tools show its system message.
#pragma once

constexpr int exitSuccess = 0;
// The distribution is incomplete: no versioned main executable, no list.
constexpr int exitDamagedSetup = 1;
// ERROR_DIRECTORY: the destination is a junction, symbolic link or mount
// point; nothing was touched.
constexpr int exitUnusableDestination = 267;
