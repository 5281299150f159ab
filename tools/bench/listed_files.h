// What the "File Copy: " lines of a distribution list name, for the
// benchmarks' yardsticks: each entry's source name and the name it is
// installed under ("NAME > NEW NAME", else the same). Empty when the list
// cannot be read.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

inline std::vector<std::pair<std::string, std::string>> ListedFiles(const std::string& listPath)
{
    std::vector<std::pair<std::string, std::string>> files;
    std::FILE* list = std::fopen(listPath.c_str(), "r");
    if (list == nullptr) return files;
    const char tag[] = "File Copy: ";
    char line[512];
    while (std::fgets(line, sizeof line, list) != nullptr) {
        if (std::strncmp(line, tag, sizeof tag - 1) != 0) continue;
        std::string name = line + sizeof tag - 1;
        while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.pop_back();
        std::string target = name;
        const std::size_t arrow = name.find('>');
        if (arrow != std::string::npos) {
            target = name.substr(name.find_first_not_of(' ', arrow + 1));
            name = name.substr(0, name.find_last_not_of(' ', arrow - 1) + 1);
        }
        files.emplace_back(name, target);
    }
    std::fclose(list);
    return files;
}
