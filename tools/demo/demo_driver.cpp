// Not a test: plays the user for scripts/demo where no one sits at the
// display. It walks the real setup.exe's wizard and answers the real
// uninstaller's boxes, and at each step asks the script to photograph the
// window: it writes "NAME LEFT TOP WIDTH HEIGHT" to SHOTS\shot.req and waits
// for the script to delete the file (SHOTS "-": no pictures).
//
//   demo_driver install DIST SHOTS        setup.exe from DIST, defaults, Run checked
//   demo_driver uninstall PROGRAM SHOTS   PictrlUnInst.exe: Yes, then OK
//   demo_driver links LOG                 each "Shell Link: " of LOG and its target
#include "core/resource_ids.h"
#include "support/machine.h"
#include "support/ui.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string shotFolder;

void Say(const std::string& text)
{
    std::printf("demo_driver: %s\n", text.c_str());
    std::fflush(stdout);
}

void Shoot(const char* name, HWND window)
{
    if (shotFolder == "-" || window == nullptr) return;
    // Lets Wine put on the display what the window has painted.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 400, QS_ALLINPUT);
    RECT r;
    GetWindowRect(window, &r);
    const std::string request = shotFolder + "\\shot.req";
    if (std::FILE* f = std::fopen(request.c_str(), "wb")) {
        std::fprintf(f, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
        std::fclose(f);
    }
    WaitFor([&] { return GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, 30000);
}

// Photographs the box with this caption (a string of setup.exe), then clicks answer.
bool AnswerBox(UINT caption, DWORD processId, const char* shot, int answer)
{
    HWND box = ui::Find(SetupText(caption), processId, true, 60000);
    if (box == nullptr) return false;
    Say("box \"" + SetupText(caption) + "\": " + ui::Read(box).text);
    Shoot(shot, box);
    return ui::Answer(box, answer);
}

int Install(const std::string& dist)
{
    Process setup;
    if (!setup.Start(Quoted(dist + "\\setup.exe"), dist)) return 1;
    HWND wizard = ui::Find(SetupText(IDS_APP_TITLE), setup.Id(), false, 60000);
    if (wizard == nullptr) return 1;
    // Each page as it comes, the licence accepted and the rest as shown; then "Run Pictorel 5" checked.
    static const char* const names[] = {"welcome", "license", "destination", "program-group", "ready"};
    bool walked = true;
    for (int page = 0; walked && page < 5; ++page) {
        walked = WaitFor([&] { return IsWindowVisible(ui::CurrentPage(wizard)); });
        Say(std::string("the ") + names[page] + " page");
        Shoot(names[page], wizard);
        if (page == 1) walked = walked && ui::Click(ui::CurrentPage(wizard), IDC_ACCEPT);
        walked = walked && (page == 4 || ui::Next(wizard));
    }
    walked = walked && ui::Click(wizard, IDOK) &&
             WaitFor([&] { return ui::Visible(ui::CurrentPage(wizard), IDC_RUN_PRODUCT); }, 90000) &&
             ui::Click(ui::CurrentPage(wizard), IDC_RUN_PRODUCT) &&
             WaitFor([&] { return ui::Check(ui::CurrentPage(wizard), IDC_RUN_PRODUCT) == BST_CHECKED; });
    if (walked) {
        Say("installed; \"Run Pictorel 5\" checked, Finish");
        Shoot("finished", wizard);
    }
    if (!walked || !ui::Click(wizard, IDOK)) {
        Say("the wizard did not go as expected");
        return 1;
    }
    const int code = setup.Wait();
    Say("setup.exe ended with exit code " + std::to_string(code));
    return code;
}

int Uninstall(const std::string& uninstaller)
{
    Process first;
    if (!first.Start(Quoted(uninstaller), "C:\\")) return 1;
    if (!AnswerBox(IDS_SETUP_CAPTION, first.Id(), "uninstall-confirm", IDYES)) return 1;
    std::vector<DWORD> copies;
    auto temporary = [](const std::string& image) {
        return image.size() > 7 && _strnicmp(image.c_str(), "uni", 3) == 0 &&
               _stricmp(image.c_str() + image.size() - 4, ".tmp") == 0;
    };
    WaitFor([&] { return !(copies = ProcessesWhere(temporary)).empty(); }, 30000);
    if (copies.empty()) return 1;
    Process removal;
    removal.Attach(copies.front());
    Say("the uninstaller ended with exit code " + std::to_string(first.Wait()));
    Say("its temporary copy runs from the temporary folder");
    if (!AnswerBox(IDS_APP_TITLE, copies.front(), "uninstalled", IDOK)) return 1;
    const int code = removal.Wait();
    Say("the temporary copy ended with exit code " + std::to_string(code));
    return code;
}

int ShowLinks(const std::string& log)
{
    for (const std::string& line : Lines(ReadFileText(log))) {
        if (line.rfind("Shell Link: ", 0) != 0) continue;
        const std::string link = line.substr(12);
        const std::string target = ShortcutTarget(link);
        std::printf("  %s\n    -> %s\n", link.c_str(), target.empty() ? "(gone)" : target.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 2 ? argv[1] : "";
    shotFolder = argc > 3 ? argv[3] : "-";
    if (mode == "install") return Install(argv[2]);
    if (mode == "uninstall") return Uninstall(argv[2]);
    if (mode == "links") return ShowLinks(argv[2]);
    std::fprintf(stderr, "usage: demo_driver install DIST SHOTS | uninstall PROGRAM SHOTS | links LOG\n");
    return 2;
}
