// The yardstick of the uninstallation benchmark: deletes every file that the
// "File Copy: " lines of an installed list name, then the list and the
// folder, with DeleteFileA and RemoveDirectoryA and nothing else.
//   plain_delete FOLDER
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    const std::string listPath = folder + "\\PictrlUnInst.log";
    std::FILE* list = std::fopen(listPath.c_str(), "r");
    if (list == nullptr) return 1;
    const char tag[] = "File Copy: ";
    char line[512];
    int deleted = 0;
    while (std::fgets(line, sizeof line, list) != nullptr) {
        if (std::strncmp(line, tag, sizeof tag - 1) != 0) continue;
        std::string name = line + sizeof tag - 1;
        while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.pop_back();
        // "NAME > NEW NAME": copied under the new name.
        std::string target = name;
        const std::size_t arrow = name.find('>');
        if (arrow != std::string::npos) {
            target = name.substr(name.find_first_not_of(' ', arrow + 1));
            name = name.substr(0, name.find_last_not_of(' ', arrow - 1) + 1);
        }
        if (DeleteFileA((folder + "\\" + target).c_str())) ++deleted;
    }
    std::fclose(list);
    DeleteFileA(listPath.c_str());
    RemoveDirectoryA(folder.c_str());
    std::printf("%d\n", deleted);
    return 0;
}
