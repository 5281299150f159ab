// A program built on the framework's application object, for the tests of
// how start-up ends: "app_probe RESULT FILE" appends a line to FILE for each
// InitInstance call, with the application's title, and makes InitInstance
// return RESULT ("true" or "false").
#include "framework/application.h"

#include <cstdio>
#include <string>

namespace {

class ProbeApp : public Application {
public:
    bool InitInstance() override
    {
        if (__argc < 3) return false;
        if (std::FILE* record = std::fopen(__argv[2], "ab")) {
            std::fprintf(record, "InitInstance %s\n", Title().c_str());
            std::fclose(record);
        }
        return std::string(__argv[1]) == "true";
    }
};

ProbeApp probeApp;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunApplication(probeApp);
}
