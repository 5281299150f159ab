// Reading and preparing machine state in tests: files, attributes, registry
// values, shortcut targets, processes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

bool FileExists(const std::string& path);     // a file, not a folder
bool FolderExists(const std::string& path);
bool WriteTextFile(const std::string& path, const std::string& content);  // binary, exact bytes
std::string ReadTextFile(const std::string& path);                        // binary, exact bytes
bool MakeFolders(const std::string& path);                                // every level
DWORD Attributes(const std::string& path);

// The value's data as stored (REG_SZ without its zero); nullopt-like: ok=false.
bool RegRead(HKEY root, const std::string& key, const char* name, std::string& data, DWORD* type = nullptr);
bool RegWrite(HKEY root, const std::string& key, const char* name, const std::string& data);
bool RegKeyExists(HKEY root, const std::string& key);
void RegDeleteTree(HKEY root, const std::string& key);

// The target of a .lnk file read back through IShellLinkA; "" when unreadable.
std::string ReadShortcutTarget(const std::string& lnkPath);

// Folder of the running test program (build/windows/bin).
std::string TestBinFolder();

// Starts a program; returns its exit code, or -1 when it could not start or
// did not end within timeoutMs.
int RunAndWait(const std::string& commandLine, DWORD timeoutMs = 60000);
