#include "app/install_driver.h"

#include "core/earlier_group.h"
#include "core/exit_codes.h"
#include "core/home_page_query.h"
#include "core/install_log.h"
#include "core/owned_file.h"
#include "core/product_profile.h"
#include "core/removal_command_line.h"
#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "core/text_format.h"
#include "core/version_key.h"
#include "engine/scope_folders.h"
#include "framework/application.h"
#include "framework/message_box.h"
#include "install/disk_space.h"
#include "install/install_detection.h"
#include "install/install_procedure.h"
#include "win/code_page.h"
#include "win/failure_trace.h"
#include "win/handles.h"
#include "win/process.h"
#include "win/registry_text.h"
#include "win/start_as_desktop_user.h"
#include "win/string_resources.h"
#include "wizard/wizard_dialog.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Version {
    std::uint32_t major, minor, build, revision;
};

Version CurrentVersion()
{
    return {setupState.versionMajor, setupState.versionMinor, setupState.versionBuild, setupState.versionRevision};
}

std::uint32_t Key(const Version& v)
{
    return VersionKey(v.major, v.minor, v.build, v.revision);
}

std::string FormatString(UINT id, const Version& a, const Version* b)
{
    const std::string format = LoadResourceString(id);
    auto n = [](std::uint32_t v) { return static_cast<int>(v); };
    std::string text;
    if (b == nullptr)
        FormatInto(text, versionQuestionSize, format.c_str(), n(a.major), n(a.minor), n(a.build), n(a.revision));
    else
        FormatInto(text, versionQuestionSize, format.c_str(), n(a.major), n(a.minor), n(a.build), n(a.revision), n(b->major),
                   n(b->minor), n(b->build), n(b->revision));
    return text;
}

// Asks before installing a version that is not newer than the installed one.
bool ConfirmVersion(const Version& installed, const Version& offered)
{
    const std::string question = Key(offered) < Key(installed)
                                     ? FormatString(IDS_OLDER_VERSION, installed, &offered)
                                     : FormatString(IDS_SAME_VERSION, offered, nullptr);
    return AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool OfferLoggedLinks(const std::string& logPath, EarlierGroupFinder& finder)
{
    return ForEachLogLine(logPath, [&](const std::string& line) {
        if (HasTag(line, LogTag::shellLink)) finder.OfferLink(TagOperand(line, LogTag::shellLink));
    });
}

// The group of the earlier installation, from the shortcuts its log
// recorded; "PictrlUnInst.log", else "install.log".
void ReadEarlierProgramGroup()
{
    EarlierGroupFinder finder(
        ReadScopeShellFolder(ProductProfile::commonProgramsValue, ProductProfile::programsValue),
        ReadScopeShellFolder(ProductProfile::commonStartupValue, ProductProfile::startupValue), IsCodePageLeadByte);
    if (!OfferLoggedLinks(setupState.destFolder + ProductProfile::uninstallLogPath, finder) &&
        !OfferLoggedLinks(setupState.destFolder + ProductProfile::earlierLogPath, finder))
        return;
    if (finder.Found()) setupState.programGroup = finder.Group();
}

// The browser runs as the user at the desktop, not as the administrator the
// setup may run as; opened by the setup itself where the shell cannot.
void OpenWebPage(const std::string& url)
{
    if (StartAsDesktopUser(url)) return;
    // Success is a value above 32.
    if (reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOW)) <= 32)
        TraceLastError("open web page", url);
}

// "/pictro/installed.asp", or "/pictro/InstScript.asp" with the query that
// the installed "HomePage.url" carries.
void OpenPostInstallPage()
{
    HomePageQuery query;
    const OwnedFile file = OpenFile(setupState.destFolder + ProductProfile::homePageShortcutPath, "r");
    char line[urlLineSize];
    while (file && std::fgets(line, sizeof line, file.get()) != nullptr && query.OfferLine(line)) {
    }
    OpenWebPage(PostInstallPage(query.Query()));
}

// Run as the user at the desktop, as the web page is; started by the setup
// itself where the shell cannot. Either way the quoted path is the whole
// command line (the shell quotes it too): the product gets no arguments, even
// from a folder with a blank in its name.
void StartInstalledProduct()
{
    const std::string exe = setupState.destFolder + ProductProfile::mainExecutablePath;
    if (!StartAsDesktopUser(exe) && !StartProcess(exe, QuotedArgument(exe)).IsValid())
        TraceLastError("start program", exe);
}

// Compares the installed version with this setup's and asks when it is not
// newer; false when the user declines. Leaves the setup's version in place.
bool CheckVersions(const std::string& offeredExe)
{
    ReadFileVersion(setupState.destFolder + ProductProfile::mainExecutablePath);
    const Version installed = CurrentVersion();
    ReadFileVersion(offeredExe);
    const Version offered = CurrentVersion();
    if (setupState.silent || Key(offered) > Key(installed)) {
        setupState.upgrade = 1;
        return true;
    }
    return ConfirmVersion(installed, offered);
}

// The run ends here, telling the program that started it why.
int EndWith(int exitCode)
{
    Application* application = Application::Current();
    if (application != nullptr) application->exitCode = exitCode;
    return 0;
}

// The wizard, run modally as the application's main window.
INT_PTR RunWizard()
{
    WizardDialog wizard;
    Application* application = Application::Current();
    if (application != nullptr) application->mainWindow = &wizard;
    const INT_PTR result = wizard.RunModal();
    if (application != nullptr && application->mainWindow == &wizard) application->mainWindow = nullptr;
    return result;
}

}  // namespace

void AbortDamagedSetup()
{
    AppMessageBox(LoadResourceString(IDS_DAMAGED_SETUP), MB_ICONERROR | MB_OK);
    OpenWebPage(ProductProfile::webSite);
    std::exit(exitDamagedSetup);
}

int RunInstallDriver()
{
    setupState.destFolder = FindExistingInstallFolder();
    setupState.sourceFolder = SetupFolderPath();
    // No folder of its own (a path too long to read): every file would be
    // looked for at the root of the current drive.
    if (setupState.sourceFolder.empty()) AbortDamagedSetup();
    if (setupState.destFolder.empty()) {
        setupState.destFolder = DefaultProgramsRoot() + ProductProfile::productSubfolder;
        setupState.freshInstall = 1;
    }
    setupState.programGroup = LoadResourceString(IDS_PRODUCT_NAME);

    const std::string offeredExe = setupState.sourceFolder + ProductProfile::mainExecutablePath;
    if (setupState.freshInstall) {
        ReadFileVersion(offeredExe);
    } else {
        if (!CheckVersions(offeredExe)) return 1;
        setupState.allUsers =
            ReadRegistryString(HKEY_LOCAL_MACHINE, ProductProfile::setupProductKey, ProductProfile::allUsersValue) ==
            ProductProfile::allUsersData;
        ReadEarlierProgramGroup();
    }

    if (setupState.versionMajor == 0 || !PathExists(setupState.sourceFolder + ProductProfile::uninstallLogPath))
        AbortDamagedSetup();

    if (setupState.silent) {
        if (!DestinationIsUsable()) return EndWith(exitUnusableDestination);
        if (!MeasureDiskSpace().Enough()) return EndWith(exitNoSpace);
        if (setupState.freshInstall) setupState.allUsers = 1;
        RunInstall();
    } else if (RunWizard() != IDOK) {
        return 1;
    }

    if (!setupState.silent && (setupState.freshInstall || setupState.upgrade)) OpenPostInstallPage();
    if (setupState.runProduct) StartInstalledProduct();
    return EndWith(OutcomeExitCode(setupState.failedItems, setupState.restartNeeded));
}
