// A C runtime file that closes when its owner goes. Win32-free.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

inline OwnedFile OpenFile(const std::string& path, const char* mode)
{
    return OwnedFile(std::fopen(path.c_str(), mode));
}
