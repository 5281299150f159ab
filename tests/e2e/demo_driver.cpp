// Not a test: plays the user for scripts/demo where no one sits at the
// display. It walks the real setup.exe's wizard and answers the real
// uninstaller's boxes, and at each step asks the script to photograph the
// window: it writes "NAME LEFT TOP WIDTH HEIGHT" to SHOTS\shot.req and waits
// for the script to delete the file (SHOTS "-": no pictures).
//
//   demo_driver install DIST SHOTS        setup.exe from DIST, defaults, Run checked
//   demo_driver uninstall PROGRAM SHOTS   PictrlUnInst.exe: Yes, then OK
//   demo_driver links LOG                 each "Shell Link: " of LOG and its target
#include "e2e/process_probe.h"
#include "e2e/program_run.h"
#include "e2e/machine_state.h"
#include "e2e/wizard_walk.h"
#include "support/machine.h"
#include "support/ui_driver.h"

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
    ui::WaitFor([&] { return GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, 30000);
}

// Photographs the box, then clicks answer.
bool AnswerBox(const char* caption, DWORD processId, const char* shot, int answer)
{
    HWND box = ui::WaitForMessageBox(caption, processId, 60000);
    if (box == nullptr) return false;
    Say("box \"" + std::string(caption) + "\": " + ui::ReadMessageBox(box).text);
    Shoot(shot, box);
    return ui::AnswerMessageBox(box, answer);
}

int Install(const std::string& dist)
{
    ProgramRun setup;
    if (!setup.Start(Quoted(dist + "\\setup.exe"), dist)) return 1;
    HWND wizard = WaitForWizard(setup.Id(), 60000);
    if (wizard == nullptr) return 1;
    static const char* const names[] = {"", "welcome", "license", "destination", "program-group", "ready"};
    auto shown = [&](WizardPage page) {
        Say(std::string("the ") + names[static_cast<int>(page)] + " page");
        Shoot(names[static_cast<int>(page)], wizard);
    };
    auto walked = WalkToReadyPage(wizard, WizardChoices{}, nullptr, shown);
    if (walked) walked = InstallAndFinish(wizard, true, [&] {
        Say("installed; \"Run Pictorel 5\" checked, Finish");
        Shoot("finished", wizard);
    });
    if (!walked) {
        Say(walked.message());
        return 1;
    }
    const int code = setup.WaitForExit();
    Say("setup.exe ended with exit code " + std::to_string(code));
    return code;
}

int Uninstall(const std::string& uninstaller)
{
    ProgramRun first;
    if (!first.Start(Quoted(uninstaller), "C:\\")) return 1;
    if (!AnswerBox("Pictorel Setup", first.Id(), "uninstall-confirm", IDYES)) return 1;
    std::vector<ProcessEntry> copies;
    ui::WaitFor([&] { return !(copies = RunningProcesses(IsTemporaryUninstaller)).empty(); }, 30000);
    if (copies.empty()) return 1;
    ProgramRun removal;
    removal.Attach(copies.front().id);
    Say("the uninstaller ended with exit code " + std::to_string(first.WaitForExit()));
    Say("its temporary copy runs: " + ProcessCommandLine(copies.front().id));
    if (!AnswerBox("Pictorel 5 Setup", copies.front().id, "uninstalled", IDOK)) return 1;
    const int code = removal.WaitForExit();
    Say("the temporary copy ended with exit code " + std::to_string(code));
    return code;
}

int ShowLinks(const std::string& log)
{
    for (const std::string& line : FileLines(log)) {
        if (line.rfind("Shell Link: ", 0) != 0) continue;
        const std::string link = line.substr(12);
        const std::string target = ReadShortcutTarget(link);
        std::printf("  %s\n    -> %s\n", link.c_str(), FileExists(link) ? target.c_str() : "(gone)");
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
