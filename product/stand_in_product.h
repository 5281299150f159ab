// What tests and the demo need to know of the stand-in for the product's main
// executable, Pictrl5.exe.
//
// The stand-in lists itself in the product's instance list, opens one plain
// top-level window (class standInWindowClass, title standInWindowTitle) and
// ends when that window gets WM_CLOSE. Run with the single argument
// "-readopts" it records Pictrl5.ini from its own folder and ends at once,
// without a window and without listing itself. Run with the single argument
// "-busy" it records a WM_CLOSE but keeps its window, as a copy too busy to
// answer would: only terminating it ends it.
//
// What it receives it appends, one line each (CR LF), to the file named by
// the value under HKEY_CURRENT_USER\<standInRecordsKey> named by its own path,
// else by the environment variable PICTOREL_STANDIN_RECORD (nothing is
// recorded when neither is set). The value serves a stand-in that setup has
// the desktop shell start: it has the shell's environment, not the test's.
//   started <pid>           first line
//   commandline <text>      its raw command line (GetCommandLineA)
//   parent <pid>            the process that started it
//   ini <line>              with -readopts: each line of Pictrl5.ini, CR LF cut
//   ini-missing             with -readopts: there is no Pictrl5.ini
//   listed <n>              CountInstances() right after it listed itself
//   manager-failed          its instance manager could not be built; exit 1
//   ready <pid>             its window exists; notifications reach it now
//   added <id>              WM_INSTANCE_ADDED, lParam
//   removed <id>            WM_INSTANCE_REMOVED, lParam
//   mark <n>                standInMarkMessage, wParam: every message posted
//                           to the window before it has been recorded
//   close <wParam>          WM_CLOSE (setup sends wParam 1001)
//   exit                    last line of a normal end (after it left the list)
//
// Builds in bin/: Pictrl5.exe (file version 5.0.3.0), Pictrl5-5.0.2.0.exe,
// Pictrl5-5.0.3.1.exe, Pictrl5-5.1.0.0.exe, Pictrl5-5.0.100.0.exe,
// Pictrl5-0.9.0.0.exe and Pictrl5-unversioned.exe (no version resource).
#pragma once

#define PICTOREL_STANDIN_RECORD_VARIABLE "PICTOREL_STANDIN_RECORD"

constexpr const char* standInRecordVariable = PICTOREL_STANDIN_RECORD_VARIABLE;
constexpr const char* standInRecordsKey = "Software\\Pictorel stand-in records";
constexpr const char* standInWindowClass = "PictorelStandInFrame";
constexpr const char* standInWindowTitle = "Pictorel 5";
constexpr unsigned standInMarkMessage = 0x8000 + 1;  // WM_APP + 1
constexpr const char* standInBusySwitch = "-busy";
