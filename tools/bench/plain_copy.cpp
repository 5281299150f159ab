// The yardstick of the installation benchmark: copies every file that the
// "File Copy: " lines of a distribution list name, with CopyFileA and
// nothing else, so that what the setup adds per file can be measured.
//   plain_copy SOURCE_FOLDER DEST_FOLDER
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    const std::string source = argv[1];
    const std::string dest = argv[2];
    CreateDirectoryA(dest.c_str(), nullptr);
    std::FILE* list = std::fopen((source + "\\PictrlUnInst.log").c_str(), "r");
    if (list == nullptr) return 1;
    const char tag[] = "File Copy: ";
    char line[512];
    int copied = 0;
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
        if (CopyFileA((source + "\\" + name).c_str(), (dest + "\\" + target).c_str(), FALSE)) ++copied;
    }
    std::fclose(list);
    CopyFileA((source + "\\PictrlUnInst.log").c_str(), (dest + "\\PictrlUnInst.log").c_str(), FALSE);
    std::printf("%d\n", copied);
    return 0;
}
