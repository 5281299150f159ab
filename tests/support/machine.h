// What tests and tools read and prepare on the machine: files and folder trees, registry values, shortcuts,
// processes and setup.exe's own texts. Free of GoogleTest.
#pragma once

#include "win/handles.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

bool FileExists(const std::string& path);  // a file, not a folder
bool FolderExists(const std::string& path);
std::string ReadFileText(const std::string& path);
bool WriteFileText(const std::string& path, const std::string& bytes);  // the folders on its way made
bool MakeFolders(const std::string& path);
void RemoveTree(const std::string& path);  // read-only files too
std::string FolderTree(const std::string& folder);  // all below, sorted, one a line; a folder ends in "\"
std::vector<std::string> Lines(const std::string& text);  // CR LF cut
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);  // polled
// A link to a folder at folder\name, as a user may plant one; removed when relativeTarget is null. Wine makes no
// junctions, but shows a Unix symbolic link to a folder as a reparse point: /bin/ln or /bin/rm makes or removes it.
bool FolderLink(const std::string& folder, const char* name, const char* relativeTarget);
std::string BinFolder();  // where setup.exe, the stand-ins and the tests are built
// The Unix file system below Wine (the tests run as root): a small file system of its own (tmpfs) mounted on a folder
// or taken away again, a file made immutable (chattr +i: neither deleted nor renamed) or not. Each waits for its effect.
bool SmallDisk(const std::string& folder, unsigned kilobytes);  // 0: taken away
bool Immutable(const std::string& file, bool immutable);
std::uint64_t FreeBytes(const std::string& folder);  // what this user may still fill there
bool RestartWindows();  // as Wine restarts: the deletions registered for the next start are done
inline std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// A REG_SZ value's text; noValue when missing; "<type N>" and the raw bytes otherwise.
constexpr const char* noValue = "<none>";
std::string RegText(HKEY root, const std::string& key, const char* name);
bool RegSet(HKEY root, const std::string& key, const char* name, const std::string& text);
bool KeyExists(HKEY root, const std::string& key);
std::string ShortcutTarget(const std::string& link);  // read back through IShellLinkA; "" when unreadable

// A program run as its own process, in the caller's environment; ended if it still runs when the object goes.
class Process {
public:
    ~Process();
    bool Start(const std::string& commandLine, const std::string& folder = "");
    bool Attach(DWORD id);
    DWORD Id() const { return id_; }
    int Wait(DWORD timeoutMs = 60000);  // the exit code; -1 while it runs
    void Kill() { process_.IsValid() && TerminateProcess(process_.Get(), 1) && WaitForSingleObject(process_.Get(), 10000); }

private:
    KernelHandle process_;
    DWORD id_ = 0;
};
std::vector<DWORD> ProcessesWhere(const std::function<bool(const std::string& image)>& wanted);
void EndProcesses(const char* image);

// A copy of the stand-in product (product/stand_in_product.h) recording into its own file.
class StandIn : public Process {
public:
    // Waits until it is ready; arguments follow the quoted program path.
    bool Launch(const std::string& program, const std::string& record, const std::string& arguments = "");
    std::vector<std::string> Records() const { return Lines(ReadFileText(record_)); }
    bool Recorded(const std::string& line, DWORD timeoutMs = 10000) const;

private:
    std::string record_;
};

// The event holder.exe waits for: it runs until it is set, or for a minute.
inline KernelHandle HolderRelease() { return KernelHandle(CreateEventA(nullptr, TRUE, FALSE, "PictorelTest.release")); }

// setup.exe's string, loaded from the built file, formatted as the program does (the raw text without values).
std::string SetupText(UINT id, const std::vector<int>& values = {});
