// A file kept in use by a second process (file_holder.exe) for as long as
// the object lives.
#pragma once

#include <windows.h>

#include <string>

class HeldFile {
public:
    // Starts program (a copy of file_holder.exe) with arguments ("run" or
    // "open PATH") and the two event names; waits until it holds the file.
    HeldFile(const std::string& program, const std::string& arguments);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Holding() const { return holding_; }

private:
    HANDLE ready_ = nullptr;
    HANDLE release_ = nullptr;
    HANDLE process_ = nullptr;
    bool holding_ = false;
};

// The path of file_holder.exe beside the test program.
std::string FileHolderProgram();
