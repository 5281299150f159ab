// Walks the wizard through each of its states and message boxes and, at
// each, asks scripts/screenshots to photograph the window: it writes
// "NAME LEFT TOP WIDTH HEIGHT" to OUT\shot.req and waits for the script to
// delete the file.
//
//   wizard_tour OUT_FOLDER
//
// The installation is real, from a small distribution in C:\pictorel-tour
// whose product (holder.exe, built with the tests) holds it while the
// installing state is photographed.
#include "core/product_profile.h"
#include "core/setup_state.h"
#include "win/handles.h"
#include "win/string_resources.h"
#include "core/resource_ids.h"
#include "support/machine.h"
#include "support/ui.h"
#include "wizard/destination_page.h"
#include "wizard/wizard_dialog.h"

#include <shlobj.h>

#include <cstdio>
#include <string>
#include <thread>

SetupState setupState;

namespace {

std::string outFolder;
const char* const tourRoot = "C:\\pictorel-tour";
const KernelHandle release = HolderRelease();  // the installation's product, holder.exe, waits for it

const char* const agreement =
    "PICTOREL 5 END-USER LICENSE AGREEMENT\r\n\r\n"
    "Please read this agreement carefully before installing Pictorel 5. By choosing \"I ACCEPT the above "
    "agreement\" you agree to be bound by its terms.\r\n\r\n"
    "1. Grant of licence. Velmora Technology LLC grants you the right to install and use one copy of the "
    "software on one computer.\r\n\r\n"
    "2. Copyright. The software is protected by copyright laws and international treaty provisions.\r\n\r\n"
    "3. No warranty. The software is provided \"as is\" without warranty of any kind.\r\n";

// No repaint is asked for: during the installation the wizard's thread
// handles no messages. Waiting for messages here lets Wine put what has been
// painted on the display, also the windows of the busy thread.
void Shoot(const char* name, HWND window)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 400, QS_ALLINPUT);
    RECT r;
    GetWindowRect(window, &r);
    std::string request = outFolder + "\\shot.req";
    if (std::FILE* f = std::fopen(request.c_str(), "wb")) {
        std::fprintf(f, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
        std::fclose(f);
    }
    WaitFor([&] { return GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, 30000);
}

HWND ShootBox(const char* name)
{
    HWND box = ui::Find(LoadResourceString(IDS_APP_TITLE), GetCurrentProcessId(), true);
    if (box != nullptr) Shoot(name, box);
    return box;
}

bool Next(HWND frame)
{
    HWND before = ui::CurrentPage(frame);
    return ui::Click(frame, IDOK) && WaitFor([&] { return !IsWindow(before); });
}

void BrowseAndRefuse(HWND frame, const std::string& oldFolder)
{
    ui::Click(ui::CurrentPage(frame), IDC_BROWSE);
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = ui::OwnedDialog(frame)) != nullptr; })) return;
    // Wine fills the tree while the dialog opens; a selection made meanwhile
    // can be lost, so it is made again until it has surely taken.
    for (int attempt = 0; attempt < 20; ++attempt) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(oldFolder.c_str()));
        Sleep(100);
    }
    Shoot("folder-dialog", dialog);
    ui::Click(dialog, IDOK);
    if (HWND box = ShootBox("box-old-version")) ui::Answer(box, IDOK);
}

// The first run: every page, the boxes, installing and finished.
void Tour(HWND frame)
{
    Shoot("welcome", frame);
    Next(frame);
    Shoot("license", frame);
    ui::Click(ui::CurrentPage(frame), IDC_ACCEPT);
    WaitFor([&] { return ui::Enabled(frame, IDOK); });
    Shoot("license-accepted", frame);
    Next(frame);
    Shoot("destination", frame);
    BrowseAndRefuse(frame, std::string(tourRoot) + "\\Pictorel 4");
    Next(frame);
    Shoot("program-group", frame);
    Next(frame);
    Shoot("ready", frame);
    ui::Click(frame, IDCANCEL);
    if (HWND box = ShootBox("box-cancel")) ui::Answer(box, IDNO);
    ui::Click(frame, IDOK);
    if (WaitFor([&] { return ui::Visible(ui::CurrentPage(frame), IDC_INSTALLING_TEXT); }, 30000))
        Shoot("installing", frame);
    SetEvent(release.Get());
    WaitFor([&] { return ui::Text(frame, IDOK) == LoadResourceString(IDS_FINISH); });
    Shoot("finished", frame);
    ui::Click(ui::CurrentPage(frame), IDC_RUN_PRODUCT);
    ui::Click(frame, IDOK);
}

// The second run: the destination page over an installation of this version.
void ExistingInstallationTour(HWND frame)
{
    Next(frame);
    Next(frame);
    Shoot("destination-existing", frame);
    ui::Click(frame, IDCANCEL);
    if (HWND box = ui::Find(LoadResourceString(IDS_APP_TITLE), GetCurrentProcessId(), true))
        ui::Answer(box, IDYES);
}

void RunWizardWith(void (*tour)(HWND))
{
    std::thread driver([tour] {
        HWND frame = ui::Find(LoadResourceString(IDS_APP_TITLE), GetCurrentProcessId(), false);
        if (frame != nullptr) tour(frame);
    });
    WizardDialog wizard;
    wizard.RunModal();
    driver.join();
}

void WriteText(const std::string& path, const char* text)
{
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fputs(text, f);
        std::fclose(f);
    }
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

// A distribution of one product file, holder.exe under the product's name:
// the installation runs it with "-readopts" and waits for it.
void PrepareDistribution(const std::string& dist)
{
    CreateDirectoryA(dist.c_str(), nullptr);
    WriteText(dist + ProductProfile::uninstallLogPath, "File Copy: Pictrl5.exe\r\n");
    CopyFileA((ProgramFolder() + "\\holder.exe").c_str(), (dist + ProductProfile::mainExecutablePath).c_str(), FALSE);
    WriteText(dist + "\\" + ProductProfile::settingsFile, "[Options]\r\n");
}

void PrepareTour()
{
    std::string root = tourRoot;
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\Program Files").c_str(), nullptr);  // the folder dialog opens inside it
    CreateDirectoryA((root + "\\Pictorel 4").c_str(), nullptr);
    WriteText(root + "\\Pictorel 4" + ProductProfile::previousMajorExecutable, "MZ");
    WriteText(root + "\\" + ProductProfile::agreementFile, agreement);
    SetCurrentDirectoryA(root.c_str());
    setupState.destFolder = root + "\\Program Files\\Pictorel 5";
    setupState.sourceFolder = root + "\\dist";
    PrepareDistribution(setupState.sourceFolder);
    setupState.programGroup = LoadResourceString(IDS_PRODUCT_NAME);
    setupState.freshInstall = 1;
    setupState.versionMajor = 5;
    setupState.versionMinor = 0;
    setupState.versionBuild = 3;
    setupState.versionRevision = 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    outFolder = argv[1];
    PrepareTour();
    RunWizardWith(Tour);

    std::string existing = setupState.destFolder = std::string(tourRoot) + "\\Existing";
    CreateDirectoryA(existing.c_str(), nullptr);
    WriteText(existing + ProductProfile::mainExecutablePath, "MZ");
    setupState.freshInstall = 0;
    setupState.licenseAccepted = 1;
    RunWizardWith(ExistingInstallationTour);

    std::thread user([] {
        if (HWND box = ShootBox("box-invalid-folder")) ui::Answer(box, IDOK);
    });
    DestinationPage::BrowseCallback(nullptr, BFFM_VALIDATEFAILEDA, 0, 0);
    user.join();
    return 0;
}
