// The yardstick of the installation benchmark: copies every file that the
// "File Copy: " lines of a distribution list name, with CopyFileA and
// nothing else, so that what the setup adds per file can be measured.
//   plain_copy SOURCE_FOLDER DEST_FOLDER
#include "listed_files.h"

#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    const std::string source = argv[1];
    const std::string dest = argv[2];
    CreateDirectoryA(dest.c_str(), nullptr);
    const std::vector<std::pair<std::string, std::string>> files = ListedFiles(source + "\\PictrlUnInst.log");
    if (files.empty()) return 1;
    int copied = 0;
    for (const auto& file : files)
        if (CopyFileA((source + "\\" + file.first).c_str(), (dest + "\\" + file.second).c_str(), FALSE)) ++copied;
    CopyFileA((source + "\\PictrlUnInst.log").c_str(), (dest + "\\PictrlUnInst.log").c_str(), FALSE);
    std::printf("%d\n", copied);
    return 0;
}
