#include "e2e/machine_state.h"

#include "framework/win_handles.h"
#include "support/machine.h"

#include <algorithm>
#include <sstream>

namespace {

void CollectTree(const std::string& folder, const std::string& relative, std::vector<std::string>& entries)
{
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find.IsValid()) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = relative.empty() ? name : relative + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries.push_back(path + "\\");
            CollectTree(folder + "\\" + name, path, entries);
        } else {
            entries.push_back(path);
        }
    } while (FindNextFileA(find.Get(), &data));
}

}  // namespace

std::string FileVersionText(const std::string& path)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return std::string();
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), handle, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || info == nullptr)
        return std::string();
    std::ostringstream text;
    text << HIWORD(info->dwFileVersionMS) << '.' << LOWORD(info->dwFileVersionMS) << '.'
         << HIWORD(info->dwFileVersionLS) << '.' << LOWORD(info->dwFileVersionLS);
    return text.str();
}

std::string DescribeFolderTree(const std::string& folder)
{
    std::vector<std::string> entries;
    CollectTree(folder, "", entries);
    std::sort(entries.begin(), entries.end());
    std::string text;
    for (const std::string& entry : entries) text += entry + "\n";
    return text;
}

std::vector<std::string> FileLines(const std::string& path)
{
    return TextLines(ReadTextFile(path));
}

std::vector<std::string> TextLines(const std::string& content)
{
    std::vector<std::string> lines;
    std::istringstream text(content);
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}
