// The yardstick of the uninstallation benchmark: deletes every file that the
// "File Copy: " lines of an installed list name, then the list and the
// folder, with DeleteFileA and RemoveDirectoryA and nothing else.
//   plain_delete FOLDER
#include "listed_files.h"

#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    const std::string listPath = folder + "\\PictrlUnInst.log";
    const std::vector<std::pair<std::string, std::string>> files = ListedFiles(listPath);
    if (files.empty()) return 1;
    int deleted = 0;
    for (const auto& file : files)
        if (DeleteFileA((folder + "\\" + file.second).c_str())) ++deleted;
    DeleteFileA(listPath.c_str());
    RemoveDirectoryA(folder.c_str());
    std::printf("%d\n", deleted);
    return 0;
}
