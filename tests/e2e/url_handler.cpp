#include "e2e/url_handler.h"

#include "e2e/machine_state.h"
#include "support/machine.h"

#include <windows.h>

UrlRecorderRegistration::UrlRecorderRegistration(const std::string& recorder) : saved_(HKEY_CLASSES_ROOT, "http")
{
    // A DDE conversation would be tried before the command, and no browser
    // answers it here.
    RegDeleteTree(HKEY_CLASSES_ROOT, "http\\shell\\open\\ddeexec");
    registered_ = RegWrite(HKEY_CLASSES_ROOT, "http", "URL Protocol", "") &&
                  RegWrite(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", nullptr,
                           "\"" + recorder + "\" \"%1\"");
}

std::vector<std::string> RecordedUrls(const std::string& recordPath)
{
    std::vector<std::string> urls;
    for (const std::string& line : FileLines(recordPath)) {
        if (!line.empty()) urls.push_back(line);
    }
    return urls;
}
