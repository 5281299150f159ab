// libFuzzer target: whatever a log line says, the uninstaller takes from it
// only a plain name, a ".lnk" file or a folder named after the right tag.
// Host build only.
#include "core/removal_entries.h"

#include <cctype>
#include <cstdint>
#include <string>

#define CHECK(condition) ((condition) ? (void)0 : __builtin_trap())

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::string taken;
    for (const char* tag : {static_cast<const char*>(nullptr), "File Copy: ", "File Del: "})
        CHECK(!FilePatternToRemove(line, tag, taken, nullptr) || (!taken.empty() && line.rfind("File ", 0) == 0 &&
                                                         taken.find_first_of("\\/:") == std::string::npos &&
                                                         taken.find("..") == std::string::npos));
    if (ShortcutToRemove(line, taken)) {
        std::string end = taken.size() >= 4 ? taken.substr(taken.size() - 4) : "";
        for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        CHECK(line.rfind("Shell Link: ", 0) == 0 && end == ".lnk" && line.substr(12) == taken);
    }
    CHECK(!FolderToRemove(line, taken) || (line.rfind("Made Dir: ", 0) == 0 && !taken.empty() && line.substr(10) == taken));
    return 0;
}
