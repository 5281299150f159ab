// The real setup.exe and the uninstaller it leaves, run and answered as a user would on a sandboxed machine: stories
// of steps, the machine checked after each (files, log, shortcuts, registry, pages opened, product starts).
#include "core/product_profile.h"
#include "instances/instance_manager.h"
#include "product/stand_in_product.h"
#include "core/resource_ids.h"
#include "support/machine.h"
#include "support/sandbox.h"
#include "support/ui.h"
#include "win/system_library.h"

#include <algorithm>
#include <memory>

namespace {

using P = ProductProfile;
using I = ui::Icon;
enum class Outcome { installed, unchanged, removed, any };
enum class Package { none, beside, inDest };  // where "sfxname" says the setup was unpacked from

// Its text: setup.exe's string id formatted with values (or text); an OK box when defaultButton is IDOK, else Yes, No.
struct Box { UINT id; std::vector<int> values; ui::Icon icon; int defaultButton, answer; std::string text = ""; };

struct Step {
    const char* name;
    // The distribution, and the machine before the step
    const char* product = "Pictrl5.exe";  // the stand-in build shipped as Pictrl5.exe; "" none
    bool list = true, ini = true;
    const char* listEnd = "\r\n";  // how the list ends: "" without a line break, "\r\n\x1a" as DOS tools end it
    const char* homePage = "http://x.example/";  // the URL of its HomePage.url
    Package package = Package::none;
    const char* earlier = nullptr;  // an earlier installation of this build, made by hand
    bool plant = false;    // files of an earlier version and an "install.log" in the destination
    bool others = false;   // other programs' entries, and the product's default shortcuts in every scope
    bool link = false;     // the current user's default group a link to a folder of the user's own
    bool classes = false;  // no per-user association table: the associations are HKEY_CLASSES_ROOT's
    bool broken = false;   // HomePage.url not in the distribution, no Startup folder: each failure traced
    bool destLink = false; // the destination a link to a folder elsewhere, which a user could fill
    int copies = 0;        // copies of the product running
    bool busy = false;     // the last of them ignores the request to close: only terminating it ends it
    bool lockedList = false;  // the instance list's lock held by another process all along
    const char* missing = nullptr;  // a listed file left out of the distribution
    int freeKb = -1;       // Program Files on a small disk of its own, all but this many KB of it filled
    bool inUse = false;    // the installed Pictrl5.exe is a program running (not the product): renamed aside
    bool immutable = false, held = false;  // the installed readme.txt neither deleted nor renamed; held open
    bool kill = false;     // the run ended after a random delay, by the task manager say
    // The run: setup.exe (under the name runAs), or the installed PictrlUnInst.exe
    const char* runAs = "setup.exe";
    bool uninstall = false, quiet = false;  // quiet: run by the entry's "QuietUninstallString", as Windows does
    const char* arguments = "";
    std::vector<Box> boxes{};
    bool wizard = false, cancel = false, runProduct = false;
    ui::Choices choices{};
    std::vector<Box> installBoxes{};  // while the wizard installs
    // Afterwards
    int exitCode = 0, removalCode = 0;  // of setup.exe (or PictrlUnInst.exe) and of its temporary copy
    UINT finished[2] = {IDS_INSTALLED, IDS_PRESS_FINISH};  // the wizard's last page
    bool restart = false;  // Windows restarts after it: what was to go at the next start goes
    Outcome outcome = Outcome::installed;
    bool allUsers = false, desktop = true, startup = false;
    const char* group = "Pictorel 5";
    std::vector<std::string> pages{};
    const char* left = "";  // in the installation folder after uninstalling
};

const std::string installed = P::installedPage, withQuery = "http://x.example/?from=setup?v=5";
const Box damaged{IDS_DAMAGED_SETUP, {}, I::hand, IDOK, IDOK};

const Step freshThroughTheWizard{.name = "fresh", .plant = true, .wizard = true, .runProduct = true, .pages = {installed}};
const Step sameAgainWithoutGroup{.name = "same again", .plant = true,
    .boxes = {{IDS_SAME_VERSION, {5, 0, 3, 0}, I::question, IDYES, IDYES}}, .wizard = true, .choices = {-1, " / ", -1, -1},
    .group = ""};
const Step uninstallDeclined{.name = "uninstall declined", .copies = 1, .uninstall = true,
    .boxes = {{IDS_CONFIRM_UNINSTALL, {}, I::exclamation, IDNO, IDNO}}, .outcome = Outcome::unchanged};
const Step uninstallConfirmed{.name = "uninstall", .others = true, .copies = 1, .uninstall = true,
    .boxes = {{IDS_CONFIRM_UNINSTALL, {}, I::exclamation, IDNO, IDYES}, {IDS_UNINSTALLED, {}, I::exclamation, IDOK, IDOK}},
    .outcome = Outcome::removed, .left = "Pictrl5.ini\ninstall.log\nkeep.hlp\n"};  // none of them logged

const Step newerForTheCurrentUser{.name = "newer, current user", .product = "Pictrl5-5.1.0.0.exe", .ini = false, .listEnd = "\r\n\x1a",
    .broken = true, .wizard = true, .choices = {0, "/Velmora Tools/Pictorel ", 1, 0},
    .installBoxes = {{IDS_PARTS_NOT_INSTALLED, {2}, I::exclamation, IDOK, IDOK}}, .exitCode = 1603,
    .finished = {IDS_INCOMPLETE, IDS_PRESS_FINISH}, .desktop = false, .group = "Velmora Tools\\Pictorel", .pages = {installed}};
const Step silentOverNewer{.name = "silent over newer, renamed", .ini = false, .listEnd = "", .package = Package::inDest,
    .lockedList = true, .runAs = "setup (1).exe", .arguments = "-s",  // a browser's name: installs, the list unreadable
    .group = "Velmora Tools\\Pictorel"};
const Step uninstallSilently{.name = "silent uninstall", .others = true, .link = true, .classes = true, .uninstall = true,
    .quiet = true, .outcome = Outcome::removed};

const Step copiesClosedUnasked{.name = "copies closed unasked", .package = Package::beside, .copies = 2, .busy = true,
    .arguments = "-install /S -s", .allUsers = true};
const Step silentAskingAboutACopy{.name = "copy asked about", .copies = 1, .arguments = "-s",
    .boxes = {{IDS_ONE_COPY_RUNNING, {}, I::exclamation, IDYES, IDYES}}, .allUsers = true};
const Step copiesLeftRunning{.name = "copies left", .copies = 2,
    .boxes = {{IDS_COPIES_RUNNING, {2}, I::exclamation, IDYES, IDNO}, {IDS_SETUP_ABORTED, {}, I::asterisk, IDOK, IDOK}},
    .outcome = Outcome::unchanged};

const Step cancelled{.name = "cancelled", .wizard = true, .cancel = true, .outcome = Outcome::unchanged};
const Step upgrade{.name = "upgrade", .homePage = withQuery.c_str(), .earlier = "Pictrl5-5.0.2.0.exe", .wizard = true,
    .allUsers = true, .pages = {P::installScriptPage + std::string("?from=setup?v=5")}};  // from the first "?"
const Step olderDeclined{.name = "older", .earlier = "Pictrl5-5.0.3.1.exe",
    .boxes = {{IDS_OLDER_VERSION, {5, 0, 3, 1, 5, 0, 3, 0}, I::question, IDYES, IDNO}}, .outcome = Outcome::unchanged};
const Step noProductOverEarlier{.name = "no product", .product = "", .earlier = "Pictrl5-5.0.2.0.exe",
    .boxes = {{IDS_OLDER_VERSION, {5, 0, 2, 0, 0, 0, 0, 0}, I::question, IDYES, IDYES}, damaged}, .exitCode = 1,
    .outcome = Outcome::unchanged, .pages = {P::webSite}};
const Step majorZero{.name = "major 0", .product = "Pictrl5-0.9.0.0.exe", .boxes = {damaged}, .exitCode = 1,
    .outcome = Outcome::unchanged, .pages = {P::webSite}};
const Step noList{.name = "no list", .list = false, .boxes = {damaged}, .exitCode = 1, .outcome = Outcome::unchanged,
    .pages = {P::webSite}};
const Step intoALink{.name = "into a link", .destLink = true, .arguments = "-s", .exitCode = 267 /* ERROR_DIRECTORY */,
    .outcome = Outcome::unchanged};

// What could not be done is said: in the exit code, the wizard's last page, the closing message.
// No options file: one is not the installation's to remove, and these stories end clean.
const Step missingFile{.name = "a listed file missing", .ini = false, .missing = "Pictrl5Man.chm", .arguments = "-s",
    .exitCode = 1603 /* ERROR_INSTALL_FAILURE */, .allUsers = true};
const Step fileInUse{.name = "a file in use", .ini = false, .inUse = true, .wizard = true,  // over no version: an upgrade
    .exitCode = 3010 /* ERROR_SUCCESS_REBOOT_REQUIRED */, .finished = {IDS_INSTALLED, IDS_RESTART_TO_COMPLETE}, .restart = true,
    .allUsers = true, .pages = {installed}};
const Step fileImmutable{.name = "a file that can go nowhere", .ini = false, .immutable = true, .arguments = "-s",
    .exitCode = 1603, .allUsers = true};
const Step uninstallHeld{.name = "uninstall, a file held open", .held = true, .uninstall = true, .arguments = "-s",
    .removalCode = 3010, .restart = true, .outcome = Outcome::removed};
const Step killed{.name = "killed", .ini = false, .kill = true, .arguments = "-s", .outcome = Outcome::any};
const Step runAgain{.name = "run again", .ini = false, .arguments = "-s", .allUsers = true};
const Step uninstallQuietly{.name = "uninstall", .uninstall = true, .quiet = true, .outcome = Outcome::removed};
const Step tooSmall{.name = "disk too small", .ini = false, .freeKb = 128, .arguments = "-s",
    .exitCode = 112 /* ERROR_DISK_FULL */, .outcome = Outcome::unchanged};
const Step spaceFreed{.name = "space freed", .ini = false, .freeKb = 2048, .arguments = "-s", .allUsers = true};

using Story = std::pair<const char*, std::vector<const Step*>>;
const Story stories[] = {
    {"InstallAgainAndUninstall", {&freshThroughTheWizard, &sameAgainWithoutGroup, &uninstallDeclined, &uninstallConfirmed}},
    {"CurrentUserThenSilentlyOverIt", {&newerForTheCurrentUser, &silentOverNewer, &uninstallSilently}},
    {"RunningCopies", {&copiesClosedUnasked, &silentAskingAboutACopy, &copiesLeftRunning}},
    {"Upgrade", {&upgrade}},
    // Each leaves the machine as it was; the damaged distributions come before the earlier installations are made.
    {"Refused", {&cancelled, &majorZero, &noList, &intoALink, &olderDeclined, &noProductOverEarlier}},
    {"Failures", {&missingFile, &fileInUse, &fileImmutable, &uninstallHeld}},
    {"Interrupted", {&killed, &runAgain, &uninstallQuietly}},
    {"SmallDisk", {&tooSmall, &spaceFreed, &uninstallQuietly}}};

const std::string list =  // with entries that must not reach outside the installation folder
    "; Pictorel 5 distribution list\r\nFile Copy: Pictrl5.exe\r\nFile Copy: setup.exe > PictrlUnInst.exe\r\n"
    "File Copy: README.TXT\r\nFile Copy: Pictrl5Man.chm\r\nFile Copy: HomePage.url\r\nFile Copy: Pict*.dll\r\n"
    "File Copy: notes source.txt   >   notes.txt\r\n File Copy: skipped.dat\r\nfile copy: skipped.dat\r\n"
    "File Copy: ..\\outside.dat\r\nFile Copy: readme.txt > ..\\outside.dat\r\nFile Del: ..\\outside.dat\r\n"
    "File Del: obsolete.dll\r\nFile Del: old*.hlp | replaced by the help file\r\n";

class Scenarios : public Sandbox, public ::testing::WithParamInterface<Story> {
protected:
    void SetUp() override
    {
        Sandbox::SetUp();
        RegSet(HKEY_LOCAL_MACHINE, P::currentVersionKey, P::programFilesValue, programFiles + "\\");  // one "\" goes
        for (const auto& [hive, key] : otherKeys) Forget(hive, key);
        Forget(HKEY_CURRENT_USER, P::fileExtsKey);  // made again by a step that needs it
        for (const auto& association : associations) Forget(HKEY_CLASSES_ROOT, std::get<0>(association));
        // The recorder is the browser. A DDE conversation would be tried first, and none answers it.
        Forget(HKEY_CLASSES_ROOT, "http\\shell\\open\\ddeexec");
        const std::string recorder = Quoted(BinFolder() + "\\url_recorder.exe") + " " + Quoted(urls) + " \"%1\"";
        RegSet(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", nullptr, recorder);
        Forget(HKEY_CURRENT_USER, standInRecordsKey);
        SetEnvironmentVariableA(P::traceFileVariable, trace.c_str());
    }

    void TearDown() override
    {
        EndProcesses("Pictrl5.exe");  // the copies too
        if (smallDisk) { EXPECT_TRUE(SmallDisk(programFiles, 0)); }
        RegKey loop;  // left by a failed uninstallation, it would outlive the sandbox
        const std::string up = P::setupProductKey + std::string("\\Up");
        if (!RegOpenKeyExA(HKEY_CURRENT_USER, up.c_str(), REG_OPTION_OPEN_LINK, DELETE, loop.Receive()))
            ProcAddress<LONG(NTAPI*)(HANDLE)>(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")(loop.Get());
        Sandbox::TearDown();
    }

    void LayOut(const Step& step)
    {
        const std::string bin = BinFolder() + "\\";
        if (step.freeKb >= 0) {  // the disk mounted first: it hides what its folder held
            ASSERT_TRUE(smallDisk || (smallDisk = SmallDisk(programFiles, smallDiskKb)));
            DeleteFileA((programFiles + "\\filler.dat").c_str());
            if (step.freeKb < smallDiskKb)
                WriteFileText(programFiles + "\\filler.dat", std::string((smallDiskKb - step.freeKb) * 1024, 'f'));
        }
        RemoveTree(dist);
        for (const char* name : {"readme.txt", "Pictrl5Man.chm", "PictCap.dll", "PictFx.dll", "notes source.txt",
                                 "skipped.dat", "agreement.txt", "..\\outside.dat"})
            WriteFileText(dist + "\\" + name, std::string("content of ") + name);  // the folder made on the way
        for (const char* name : {"setup.exe", step.runAs}) CopyFileA(TESTED_SETUP, (dist + "\\" + name).c_str(), FALSE);
        if (*step.product) CopyFileA((bin + step.product).c_str(), (dist + "\\Pictrl5.exe").c_str(), FALSE);
        WriteFileText(programFiles + "\\outside.dat", "sentinel");  // what a lying list names
        if (step.broken)  // a file where the Startup folder should be
            RemoveTree(startup), WriteFileText(startup, "");
        else
            WriteFileText(dist + "\\HomePage.url", std::string("[InternetShortcut]\r\nURL=") + step.homePage + "\r\n");
        if (step.list) WriteFileText(dist + "\\PictrlUnInst.log", list.substr(0, list.size() - 2) + step.listEnd);
        if (step.missing) DeleteFileA((dist + "\\" + step.missing).c_str());
        if (step.inUse) {  // a program that is not the product, so setup does not close it
            ASSERT_TRUE(CopyFileA((bin + "holder.exe").c_str(), (dest + "\\Pictrl5.exe").c_str(), FALSE) &&
                        running.Start(Quoted(dest + "\\Pictrl5.exe")));
        }
        if (step.immutable) { ASSERT_TRUE(Immutable(dest + "\\readme.txt", true)); }
        if (step.ini) WriteFileText(dist + "\\Pictrl5.ini", "[Options]\r\nFrom=setup\r\n");
        WriteFileText(Path("package\\Pictrl5.ini"), "[Options]\r\nFrom=package\r\n");
        const std::string sfx[] = {"", Path("package\\pictorel5.exe"), dest + "\\pictorel5.exe"};
        SetEnvironmentVariableA("sfxname", step.package == Package::none ? nullptr : sfx[int(step.package)].c_str());
        if (step.earlier) {  // found through the product's own "Path" value
            MakeFolders(dest);
            CopyFileA((bin + step.earlier).c_str(), (dest + "\\Pictrl5.exe").c_str(), FALSE);
            RegSet(HKEY_LOCAL_MACHINE, P::productKey, P::pathValue, dest + "\\");
            RegSet(HKEY_LOCAL_MACHINE, P::setupProductKey, P::allUsersValue, P::allUsersData);
        }
        if (step.destLink) { EXPECT_TRUE(MakeFolders(Path("elsewhere")) && FolderLink(programFiles, "Pictorel 5", "../elsewhere")); }
        if (step.plant) {
            for (const char* name : {"obsolete.dll", "old1.hlp", "keep.hlp"}) WriteFileText(dest + "\\" + name, name);
            // Only what lies inside a shell folder is the log's to remove; the rest of the machine is not.
            WriteFileText(dest + "\\install.log", "Shell Link: " + earlierLink + "\r\nMade Dir: " + programs + "\\Old\r\n"
                          "Shell Link: " + Path("sentinel.lnk") + "\r\nMade Dir: " + Path("kept") + "\r\n");
            for (const std::string& link : {earlierLink, Path("sentinel.lnk")}) WriteFileText(link, "named by a log");
            MakeFolders(Path("kept"));
        }
        if (step.others) {
            EXPECT_TRUE(!step.link || (MakeFolders(Path("mine")) && FolderLink(programs, "Pictorel 5", "../../../mine")));
            const std::string lnk = "\\Pictorel 5.lnk";
            for (const std::string& path : {startup + lnk, commonDesktop + lnk, commonStartup + lnk,
                                            commonPrograms + "\\Pictorel 5" + lnk, programs + "\\Pictorel 5\\my notes.txt",
                                            desktop + "\\Scanlet 2.lnk", commonDesktop + "\\Pictorel 5 Tips.lnk"})
                WriteFileText(path, "x");
            SetFileAttributesA((commonPrograms + "\\Pictorel 5" + lnk).c_str(), FILE_ATTRIBUTE_READONLY);
            SetFileAttributesA((dest + "\\readme.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
            for (const auto& [hive, key] : otherKeys) RegSet(hive, key, "v", "x");
            for (const auto& [hive, key] : productKeys) RegSet(hive, key + "\\Deep", "v", "x");
            EXPECT_TRUE(PlantKeyLoop(P::setupProductKey));
            for (const auto& [extension, association, saved, after, savedAfter] : associations) {
                const auto [hive, key, value] = Association(step.classes, extension);
                RegSet(hive, key, value, association);
                RegSet(hive, key, P::savedAssociationValue, saved);
            }
        }
    }

    // A registry link "Up" in the current user's key to that key, as the user may make one: whoever follows it goes
    // round without end.
    static bool PlantKeyLoop(const std::string& key)
    {
        using QueryKey = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
        struct { ULONG length; wchar_t name[512]; } named{};  // its KeyNameInformation (3): "\REGISTRY\USER\..."
        ULONG size = 0;
        RegKey parent, link;
        const auto query = ProcAddress<QueryKey>(GetModuleHandleA("ntdll.dll"), "NtQueryKey");
        return !parent.Open(HKEY_CURRENT_USER, key.c_str(), KEY_ALL_ACCESS) &&
               query(parent.Get(), 3, &named, sizeof named, &size) >= 0 &&
               !RegCreateKeyExW(parent.Get(), L"Up", 0, nullptr, REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS, nullptr,
                                link.Receive(), nullptr) &&
               !RegSetValueExW(link.Get(), L"SymbolicLinkValue", 0, REG_LINK,
                               reinterpret_cast<const BYTE*>(named.name), named.length);
    }

    // The values an installation writes, one a line.
    std::string Values() const
    {
        std::string text = RegText(HKEY_LOCAL_MACHINE, P::setupProductKey, P::allUsersValue) + "\n" +
                           RegText(HKEY_LOCAL_MACHINE, P::setupProductKey, P::pathValue) + "\n" +
                           RegText(HKEY_LOCAL_MACHINE, P::appPathKey, nullptr);
        for (const char* name : {P::contactValue, P::displayNameValue, P::displayVersionValue, P::publisherValue,
                                 P::uninstallStringValue, P::urlInfoAboutValue, P::displayIconValue,
                                 P::installLocationValue, P::estimatedSizeValue, P::quietUninstallStringValue,
                                 P::noModifyValue, P::noRepairValue})
            text += "\n" + RegText(HKEY_LOCAL_MACHINE, P::uninstallKey, name);
        return text;
    }
    // The trace's lines as "what on: error N", each checked to come from process id and to end in N's system message.
    std::vector<std::string> Traced(DWORD id) const
    {
        std::vector<std::string> traced;
        for (const std::string& line : Lines(ReadFileText(trace))) {
            const std::string process = " [" + std::to_string(id) + "] ";
            const std::size_t error = line.find(": error "), text = line.find(": ", error + 8);
            EXPECT_EQ(process, line.substr(23, process.size())) << line;  // after "YYYY-MM-DD hh:mm:ss.mmm"
            char message[512] = "";
            FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           std::stoul(line.substr(error + 8), nullptr, 0), 0, message, sizeof message, nullptr);
            EXPECT_TRUE(text + 2 < line.size() && std::string(message).rfind(line.substr(text + 2), 0) == 0) << line;
            traced.push_back(line.substr(23 + process.size(), text - 23 - process.size()));
        }
        return traced;
    }
    // The desktop shell (Wine's explorer.exe): setup has it open the page and start the product, as the desktop user.
    static std::string DesktopShell()
    {
        const std::vector<DWORD> shell = ProcessesWhere([](const std::string& image) { return image == "explorer.exe"; });
        return shell.size() == 1 ? std::to_string(shell[0]) : "one desktop shell";
    }
    // An extension's key and association value: per user, or HKEY_CLASSES_ROOT's where there is no per-user table.
    static std::tuple<HKEY, std::string, const char*> Association(bool classes, const std::string& extension)
    {
        return classes ? std::make_tuple(HKEY_CLASSES_ROOT, extension, static_cast<const char*>(nullptr))
                       : std::make_tuple(HKEY_CURRENT_USER, P::fileExtsKey + ("\\" + extension), P::associationValue);
    }

    void Play(const Step& step);
    void ExpectInstalled(const Step& step, bool fresh, DWORD setup);
    void ExpectRemoved(const Step& step);
    void ExpectToGoAtTheNextStart(const Step& step);
    void ExpectNoEmptyFolderLeft();

    const std::string dist = Path("dist"), dest = programFiles + "\\Pictorel 5", urls = Path("..\\pictorel-urls.txt"),
                      products = Path("..\\pictorel-products.txt"), trace = Path("..\\pictorel-trace.txt"),
                      earlierLink = programs + "\\Old\\sentinel.lnk";
    const std::pair<HKEY, std::string> otherKeys[4] = {  // other products' entries: they stay
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora\\Scanlet"}, {HKEY_USERS, ".Default\\SOFTWARE\\Velmora\\Scanlet"},
        {HKEY_LOCAL_MACHINE, std::string(P::uninstallRootKey) + "\\Scanlet"},
        {HKEY_LOCAL_MACHINE, std::string(P::appPathsKey) + "\\Scanlet.exe"}};
    const std::pair<HKEY, std::string> productKeys[4] = {  // the product's in every hive: they go whole
        {HKEY_CURRENT_USER, P::setupProductKey}, {HKEY_USERS, std::string(".Default\\") + P::setupProductKey},
        {HKEY_LOCAL_MACHINE, P::setupProductKey}, {HKEY_CLASSES_ROOT, P::documentType}};
    const std::string product = dest + "\\Pictrl5.exe \"%1\"", saved511 = std::string(511, 's'),
                      long600 = std::string(589, 'x') + "Pictrl5.exe";
    // An extension's association and the one saved beside it, before and after.
    const std::tuple<const char*, std::string, std::string, std::string, std::string> associations[6] = {
        {".bmp", product, "mspaint.exe", "mspaint.exe", noValue}, {".gif", product, "", noValue, noValue},
        {".jpg", "viewer.exe", "Pictrl5.exe", "viewer.exe", "Pictrl5.exe"},  // another program's: left alone
        {".tiff", long600, "old.exe", long600, "old.exe"},                   // too long to be read: not the product's
        {".cmp", product, saved511, saved511, noValue},
        {".tga", product, saved511 + "s", noValue, noValue}};  // too long to be read: nothing to give back
    std::vector<std::unique_ptr<StandIn>> copies;
    static constexpr int smallDiskKb = 2048;
    bool smallDisk = false;
    Process running;  // the program in use, for a step that has one
};

// A failure the trace and the user are told of: the step, what it was tried on, the error.
struct Failure { const char* what; std::string on; int code; };

std::string Formatted(const std::string& format, unsigned long count, const std::string& names)
{
    char text[2048] = "";
    std::snprintf(text, sizeof text, format.c_str(), count, names.c_str());
    return text;
}

void Scenarios::Play(const Step& step)
{
    SCOPED_TRACE(step.name);
    copies.clear();
    EndProcesses("Pictrl5.exe");  // the one the user ran
    LayOut(step);
    // The installed product records here, also when the desktop shell starts it; copies running from there do not.
    RegSet(HKEY_CURRENT_USER, standInRecordsKey, (dest + "\\Pictrl5.exe").c_str(), step.uninstall ? "" : products);
    const bool fresh = !KeyExists(HKEY_LOCAL_MACHINE, P::appPathKey) && !KeyExists(HKEY_LOCAL_MACHINE, P::productKey);
    for (int i = 0; i < step.copies; ++i) {
        copies.push_back(std::make_unique<StandIn>());
        ASSERT_TRUE(copies.back()->Launch(step.uninstall ? dest + "\\Pictrl5.exe" : BinFolder() + "\\Pictrl5.exe",
                                          Path("..\\pictorel-copy" + std::to_string(i) + ".txt"),
                                          step.busy && i == step.copies - 1 ? standInBusySwitch : ""));
    }
    const std::string before = FolderTree(root) + Values(), distribution = FolderTree(dist);
    DeleteFileA(urls.c_str());
    DeleteFileA(products.c_str());
    DeleteFileA(trace.c_str());
    Process program, removal;
    const std::string listLock = COXInstanceManager::listMutexPrefix + std::string(P::instanceManagerName);
    const KernelHandle listMutex(CreateMutexA(nullptr, FALSE, listLock.c_str())), release = HolderRelease();
    ASSERT_TRUE(!step.lockedList || WaitForSingleObject(listMutex.Get(), 10000) == WAIT_OBJECT_0);
    KernelHandle held(step.held ? CreateFileA((dest + "\\readme.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, 0, nullptr) : nullptr);
    const std::string uninstaller = step.quiet ? RegText(HKEY_LOCAL_MACHINE, P::uninstallKey, P::quietUninstallStringValue)
                                               : Quoted(dest + "\\PictrlUnInst.exe") + " " + step.arguments;
    ASSERT_TRUE(step.uninstall ? program.Start(uninstaller, root)
                               : program.Start(Quoted(dist + "\\" + step.runAs) + " " + step.arguments, dist));
    if (step.kill) {  // whatever it did so far, a run again and the uninstaller leave the machine clean
        const DWORD after = GetTickCount() % 2000;
        SCOPED_TRACE("killed after " + std::to_string(after) + " ms");
        Sleep(after);
        return program.Kill();
    }
    std::vector<Failure> failures;  // in the order they happen
    if (step.missing) failures.push_back({"copy file", dist + "\\" + step.missing, 2});
    if (step.broken) failures.push_back({"copy file", dist + "\\HomePage.url", 2});
    if (step.immutable) failures.push_back({"copy file", dist + "\\readme.txt", 5});
    if (step.broken) failures.push_back({"make shortcut", startup + "\\Pictorel 5.lnk", 3});
    std::string named;  // the first few, as the user is told
    for (std::size_t i = 0; i < failures.size() && i < 3; ++i) named += failures[i].on + "\n";
    auto answer = [&](const std::vector<Box>& boxes) {
        for (const Box& expected : boxes) {
            SCOPED_TRACE(SetupText(expected.id));
            const bool own = expected.id <= IDS_CONFIRM_UNINSTALL;  // the start-up sequence's own boxes
            HWND box = ui::Find(SetupText(own ? IDS_SETUP_CAPTION : IDS_APP_TITLE), 0, true);
            ASSERT_NE(nullptr, box);
            const ui::Box shown = ui::Read(box);
            EXPECT_EQ(expected.id == IDS_PARTS_NOT_INSTALLED ? Formatted(SetupText(expected.id), failures.size(), named)
                                                             : SetupText(expected.id, expected.values), shown.text);
            EXPECT_TRUE(expected.icon == shown.icon && expected.defaultButton == shown.defaultButton);
            EXPECT_EQ(expected.defaultButton == IDOK ? std::vector<int>{IDOK} : std::vector<int>({IDYES, IDNO}), shown.buttons);
            DWORD copy = 0;  // the temporary uninstaller, when it is the one asking
            if (GetWindowThreadProcessId(box, &copy) && copy != program.Id()) removal.Attach(copy);
            ASSERT_TRUE(ui::Answer(box, expected.answer));
        }
    };
    answer(step.boxes);
    if (step.wizard) {
        HWND frame = ui::Find(SetupText(IDS_APP_TITLE), program.Id(), false);
        std::string finished;
        ASSERT_TRUE(step.cancel ? ui::Click(frame, IDCANCEL) : ui::WalkToReady(frame, step.choices));
        ASSERT_TRUE(step.cancel ? ui::Answer(ui::Find(SetupText(IDS_APP_TITLE), program.Id(), true), IDYES)
                                : ui::InstallAndFinish(frame, step.runProduct, [&] { answer(step.installBoxes); }, finished));
        if (!step.cancel) { EXPECT_EQ(SetupText(step.finished[0]) + "\n" + SetupText(step.finished[1]), finished); }
    }
    EXPECT_EQ(step.exitCode, program.Wait());  // a silent run that showed a box, or waited for the list, would not end
    if (step.lockedList) ReleaseMutex(listMutex.Get());
    if (step.outcome == Outcome::removed) {
        const std::vector<DWORD> running = ProcessesWhere([](const std::string& image) {
            return image.size() > 7 && _strnicmp(image.c_str(), "uni", 3) == 0 && image.find(".tmp") == image.size() - 4;
        });
        ASSERT_TRUE(removal.Id() || (running.size() == 1 && removal.Attach(running[0]))) << "no temporary copy";
        EXPECT_EQ(step.removalCode, removal.Wait());
        ExpectToGoAtTheNextStart(step);
    }
    if (step.immutable) { EXPECT_TRUE(Immutable(dest + "\\readme.txt", false)); }
    held.Close(), SetEvent(release.Get()), running.Wait();
    if (step.restart) { ASSERT_TRUE(RestartWindows()); }
    EXPECT_EQ("sentinel", ReadFileText(programFiles + "\\outside.dat"));
    EXPECT_EQ(distribution, FolderTree(dist)) << "nothing of the distribution's folder goes";
    std::vector<std::string> traced;
    for (const Failure& failure : failures)
        traced.push_back(failure.what + (" " + failure.on) + ": error " + std::to_string(failure.code));
    EXPECT_EQ(traced, Traced(program.Id()));
    if (step.outcome == Outcome::unchanged) { EXPECT_EQ(before, FolderTree(root) + Values()); }
    if (step.destLink) { EXPECT_TRUE(FolderLink(programFiles, "Pictorel 5", nullptr)); }
    if (step.outcome == Outcome::installed) ExpectInstalled(step, fresh, program.Id());
    if (step.outcome == Outcome::removed) ExpectRemoved(step);
}

void Scenarios::ExpectInstalled(const Step& step, bool fresh, DWORD setup)
{
    const std::string folder = step.allUsers ? commonPrograms : programs, exe = dest + "\\Pictrl5.exe";
    const std::string groupFolder = folder + "\\" + step.group, linkFolder = *step.group ? groupFolder : folder;
    // The files: the list's (this setup.exe as the uninstaller), the log, the options file.
    std::vector<std::string> files = {"HomePage.url", "PictCap.dll", "PictFx.dll", "Pictrl5.exe", "Pictrl5Man.chm",
                                      "PictrlUnInst.exe", "PictrlUnInst.log", "notes.txt", "readme.txt"};
    if (step.broken) files.erase(files.begin());  // HomePage.url
    if (step.missing) files.erase(std::find(files.begin(), files.end(), step.missing));
    // The kilobytes installed: these files as they are.
    std::size_t bytes = 0;
    for (const std::string& name : files) bytes += ReadFileText(dest + "\\" + name).size();
    const char* ini = step.package == Package::beside ? "package" : step.ini ? "setup" : nullptr;
    if (ini) files.push_back("Pictrl5.ini");
    if (step.plant) files.insert(files.end(), {"install.log", "keep.hlp"});
    if (step.plant && fresh) files.insert(files.end(), {"obsolete.dll", "old1.hlp"});  // "File Del: " when reinstalling
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, Lines(FolderTree(dest)));
    EXPECT_EQ(ReadFileText(dist + "\\Pictrl5.exe"), ReadFileText(exe));
    EXPECT_EQ(ReadFileText(dist + "\\setup.exe"), ReadFileText(dest + "\\PictrlUnInst.exe"));
    EXPECT_EQ("content of notes source.txt", ReadFileText(dest + "\\notes.txt"));
    EXPECT_EQ(step.plant && fresh, FileExists(earlierLink)) << "install.log is replayed when reinstalling";
    EXPECT_TRUE(!step.plant || (FileExists(Path("sentinel.lnk")) && FolderExists(Path("kept")))) << "outside all shell folders";
    // The shortcuts, read back and nowhere else; the log: the list, the group, the shortcuts.
    std::vector<std::string> log = Lines(list), expected, found;
    if (*step.listEnd) log.push_back("");  // the line break added to end the list, a Ctrl-Z cut
    log.push_back("Made Dir: " + groupFolder);
    const std::string shortcut = "\\" + SetupText(IDS_PRODUCT_NAME) + ".lnk";
    const std::pair<std::string, std::string> links[] = {
        {linkFolder + shortcut, exe},
        {linkFolder + "\\" + SetupText(IDS_HELP_SHORTCUT) + ".lnk", dest + "\\Pictrl5Man.chm"},
        {linkFolder + "\\" + SetupText(IDS_README_SHORTCUT) + ".lnk", dest + "\\readme.txt"},
        {linkFolder + "\\" + SetupText(IDS_UNINSTALL_SHORTCUT) + ".lnk", dest + "\\PictrlUnInst.exe"},
        {step.desktop ? (step.allUsers ? commonDesktop : desktop) + shortcut : "", exe},
        {step.startup ? (step.allUsers ? commonStartup : startup) + shortcut : "", exe}};
    for (const auto& [link, target] : links) {
        if (link.empty()) continue;
        EXPECT_EQ(target, ShortcutTarget(link)) << link;
        log.push_back("Shell Link: " + link);
        expected.push_back(link.substr(root.size() + 1));
    }
    EXPECT_EQ(log, Lines(ReadFileText(dest + "\\PictrlUnInst.log")));
    for (const std::string& line : Lines(FolderTree(root)))
        if (line.size() > 4 && line.substr(line.size() - 4) == ".lnk" && line.find("sentinel.lnk") == line.npos)
            found.push_back(line);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, found);
    ExpectNoEmptyFolderLeft();
    auto number = [](DWORD n) { return "<type 4>" + std::string(reinterpret_cast<const char*>(&n), sizeof n); };
    const std::string uninstaller = Quoted(dest + "\\PictrlUnInst.exe");
    EXPECT_EQ(std::string(step.allUsers ? P::allUsersData : P::currentUserData) + "\n" + dest + "\n" + exe + "\n" +
                  P::contactData + "\n" + SetupText(IDS_PRODUCT_NAME) + "\n" + P::displayVersionData + "\n" +
                  P::publisher + "\n" + uninstaller + "\n" + P::webSite + "\n" + exe + ",0\n" + dest + "\n" +
                  number(DWORD((bytes + 1023) / 1024)) + "\n" + uninstaller + " -s\n" + number(1) + "\n" + number(1),
              Values());
    // The product: run by setup with "-readopts" alone when an options file was placed, reading it, then as the user
    // asked, by the desktop shell (Wine's explorer.exe) as the user at the desktop.
    std::vector<std::string> runs, seen;
    const std::string bySetup = "parent " + std::to_string(setup);
    if (ini) runs = {"commandline -readopts", bySetup, "ini [Options]", std::string("ini From=") + ini};
    if (!ini && step.package == Package::inDest) runs = {"commandline -readopts", bySetup, "ini-missing"};
    if (step.runProduct)  // the quoted path alone: no arguments
        runs.insert(runs.end(), {"commandline \"" + exe + "\"", "parent " + DesktopShell()});
    WaitFor([&] {  // setup does not wait for the start the user asked for
        seen.clear();
        for (const std::string& line : Lines(ReadFileText(products))) {
            if (line.rfind("commandline ", 0) == 0 || line.rfind("ini", 0) == 0 || line.rfind("parent ", 0) == 0)
                seen.push_back(line);
        }
        return seen.size() >= runs.size();
    }, runs.empty() ? 0 : 10000);
    EXPECT_EQ(runs, seen);
}

void Scenarios::ExpectRemoved(const Step& step)
{
    if (step.link) {  // neither followed nor removed
        EXPECT_EQ("x", ReadFileText(Path("mine\\my notes.txt")));
        EXPECT_TRUE(FolderLink(programs, "Pictorel 5", nullptr));
    }
    EXPECT_EQ(step.left, FolderTree(dest));
    EXPECT_EQ(*step.left != '\0', FolderExists(dest));
    for (const std::string& line : Lines(FolderTree(root)))  // nothing of the product's name outside its folder
        EXPECT_TRUE(line.find("Pictorel 5") == line.npos || line.rfind("Program Files\\Pictorel 5", 0) == 0 ||
                    (step.others && line == "all\\Desktop\\Pictorel 5 Tips.lnk")) << line;
    ExpectNoEmptyFolderLeft();
    for (const std::string& value : Lines(Values())) EXPECT_EQ(noValue, value);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, P::uninstallKey));
    for (const auto& [hive, key] : productKeys) EXPECT_FALSE(KeyExists(hive, key)) << key;
    for (const auto& [hive, key] : otherKeys) EXPECT_EQ(step.others, KeyExists(hive, key)) << key;
    EXPECT_EQ(step.others, KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora"));  // kept by another product
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Velmora"));
    EXPECT_TRUE(!step.others || FileExists(desktop + "\\Scanlet 2.lnk"));
    for (const auto& [extension, association, saved, after, savedAfter] : associations) {
        if (!step.others) break;
        const auto [hive, key, value] = Association(step.classes, extension);
        EXPECT_EQ(after, RegText(hive, key, value)) << extension;
        EXPECT_EQ(savedAfter, RegText(hive, key, P::savedAssociationValue)) << extension;
    }
}

// What the uninstaller registers for deletion at the next start: its temporary copy, in a folder of its own, and that
// folder after it; a file held open by another program, and the installation folder after it.
void Scenarios::ExpectToGoAtTheNextStart(const Step& step)
{
    char temp[MAX_PATH] = "";
    std::string copy = std::string(temp, GetTempPathA(MAX_PATH, temp)) + "uni", pending = RegText(HKEY_LOCAL_MACHINE,
                       "System\\CurrentControlSet\\Control\\Session Manager", "PendingFileRenameOperations"),
                folder = dest, file = dest + "\\readme.txt";
    for (std::string* text : {&copy, &pending, &folder, &file}) CharLowerBuffA(&(*text)[0], DWORD(text->size()));
    const std::size_t at = pending.find(copy), end = pending.find('\0', at), slash = pending.rfind('\\', end);
    ASSERT_TRUE(at != std::string::npos && slash > at) << pending;
    const std::string copyFolder = pending.substr(at, slash - at) + std::string(2, '\0');
    EXPECT_TRUE(pending.find(copyFolder, end) != std::string::npos && pending.compare(slash, 4, "\\uni") == 0) << pending;
    const std::size_t held = pending.find(file + std::string(2, '\0'));
    EXPECT_EQ(step.held, held != std::string::npos && pending.find(folder + std::string(2, '\0'), held) != std::string::npos)
        << pending;
}

// No folder of the sandbox left empty, such as a group whose shortcuts went; the shell folders aside.
void Scenarios::ExpectNoEmptyFolderLeft()
{
    const std::vector<std::string> tree = Lines(FolderTree(root));
    const std::string own[] = {programs, desktop, startup, commonPrograms, commonDesktop, commonStartup, programFiles,
                               Path("kept")};
    for (std::size_t i = 0; i < tree.size(); ++i)
        EXPECT_TRUE(tree[i].back() != '\\' || (i + 1 < tree.size() && tree[i + 1].rfind(tree[i], 0) == 0) ||
                    std::count(std::begin(own), std::end(own), Path(tree[i].substr(0, tree[i].size() - 1))))
            << "left empty: " << tree[i];
}

TEST_P(Scenarios, LeaveTheMachineAsEachStepExpects)
{
    for (const Step* step : GetParam().second) {
        Play(*step);
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Setup, Scenarios, ::testing::ValuesIn(stories),
                         [](const ::testing::TestParamInfo<Story>& info) { return info.param.first; });

}  // namespace
