// The resources of the built setup.exe, read back from the file as the loader
// and the dialog manager see them, against the tables of texts and templates.
#include "app/product_profile.h"
#include "resources/pe_imports.h"
#include "resources/resource_ids.h"
#include "resources/resource_reader.h"
#include "support/machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

std::string SetupPath() { return TestBinFolder() + "\\setup.exe"; }

class SetupResources : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(setup_.IsLoaded()) << SetupPath() << " error " << GetLastError(); }
    DataModule setup_{SetupPath()};
};

const std::map<UINT, std::string> kStrings = {
    {1, "1 instance of Pictorel is currently opened. If you click \"Yes\" button, SETUP will try to close it "
        "without saving any editing work you may have done. \n\nContinue installation?"},
    {2, "Pictorel Setup"},
    {3, "Setup of Pictorel aborted. Please close other instances of Pictorel manually, saving any editing work "
        "you have done in them, then restart this setup program."},
    {4, "%d instances of Pictorel are currently opened. ff you click \"Yes\" button, SETUP will try to close "
        "them without saving any editing work you may have done. \n\nContinue installation?"},
    {6, "This will completely uninstall Pictorel 5.\nDo you want to continue?"},
    {7, "Please accept the License Agreement"},
    {8, "&Finish >"},
    {9, "Pictorel 5 has been successfully installed."},
    {10, "Press the Finish button to exit this installation."},
    {11, "Do you really want to cancel Pictorel 5 setup?"},
    {12, "Select the folder where where Pictorel 5 should be installed."},
    {13, "You have entered and invalid folder name. Please correct.\nIf you want to create a new folder, select "
         "its parent folder in the list and click \"Make New Foilder\" button."},
    {14, "Pictorel ver. 5 can not be installed into the same folder where the old version 4.xx is installed. "
         "Please select a different folder."},
    {15, "Pictorel 5"},
    {16, "Pictorel v. %d.%02d.%02d.%02d is already installed on this machine. You are trying to install an older "
         "version %d.%02d.%02d.%02d .\n\nDo you still want to continue?"},
    {17, "Pictorel ver. %d.%02d.%02d.%02d is already installed on this machine.\n\nWould you like to run this "
         "setup again to select different options or repair the files?"},
    {18, "This setup files are damaged, installation aborted.\n\nPlease download the product again from "
         PICTOREL_WEB_SITE " and re-try the setup."},
    {19, "This folder already contains a previous copy of Pictorel 5. To upgrade or re-install that copy, please "
         "do not change the destination folder."},
    {20, "Pictorel 5 has been completely uninstalled from this computer."},
    {101, "Pictorel 5 Help"},
    {102, "Read about Pictorel 5"},
    {104, "Uninstall Pictorel 5"},
    {57344, "Pictorel 5 Setup"},
};

TEST_F(SetupResources, StringTableHoldsExactlyTheProductTexts)
{
    for (const auto& [id, text] : kStrings) {
        SCOPED_TRACE("string " + std::to_string(id));
        char buffer[1024];
        int n = LoadStringA(setup_.Get(), id, buffer, sizeof buffer);
        EXPECT_EQ(std::string(buffer, n > 0 ? n : 0), text);
    }
    // Read from the blocks themselves: no text beyond the table.
    EXPECT_EQ(setup_.AllStrings(), kStrings);
}

struct ControlRow {
    int id;
    const char* windowClass;
    int x, y, cx, cy;
    const char* text;  // "#101": the static shows bitmap 101
    DWORD style;
};

struct TemplateRow {
    int id;
    bool extended;
    DWORD style;
    int cx, cy;
    const char* caption;
    std::vector<ControlRow> controls;
};

// Style bits spelled out per control: the kind (button type, static type),
// tab stops, group starts, visibility and the edit / combo box / text options.
constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
constexpr DWORD kHidden = WS_CHILD;
constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
constexpr DWORD kPageStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | DS_CONTROL | DS_SETFONT;
constexpr DWORD kLabel = kShown | WS_GROUP | SS_LEFT;

const char kVersionLine[] =
    "Pictorel ver. %d.%02d.%02d %s\nCopyright (c) Velmora Technology LLC.\nFor updates and support please visit:";

const std::vector<TemplateRow> kTemplates = {
    {103, false, kFrameStyle, 318, 204, "Pictorel 5 Setup", {
        {3, "Button", 147, 184, 50, 14, "< &Back", kShown | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON},
        {1, "Button", 197, 184, 50, 14, "&Next >", kShown | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {2, "Button", 257, 184, 50, 14, "Cancel", kShown | WS_TABSTOP | BS_PUSHBUTTON},
        {1002, "Static", 11, 8, 81, 161, "#101", kHidden | SS_BITMAP | SS_SUNKEN},
        {-1, "Static", 11, 176, 296, 1, "", kShown | SS_ETCHEDHORZ},
    }},
    {104, false, kPageStyle, 313, 174, "", {
        {1000, "Edit", 0, 0, 313, 147, "",
         kShown | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_READONLY},
        {1001, "Button", 10, 150, 302, 10, "I DO NOT accept this agreement",
         kShown | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON},
        {1002, "Button", 10, 162, 302, 10, "I ACCEPT the above agreement", kShown | BS_AUTORADIOBUTTON},
    }},
    {105, false, kPageStyle, 217, 161, "", {
        {-1, "Static", 5, 0, 207, 28,
         "Welcome to Pictorel 5 Setup! This program will install Pictorel 5 on your computer.", kLabel},
        {-1, "Static", 5, 32, 207, 18,
         "Please click the \"Next >\" button to continue setup, or \"Cancel\" button to abort.", kLabel},
        {1003, "Static", 18, 72, 191, 25, kVersionLine, kLabel},
        {-1, "Static", 18, 100, 191, 10, PICTOREL_WEB_SITE, kLabel},
    }},
    {106, true, kPageStyle, 217, 163, "", {
        {-1, "Static", 5, 0, 207, 10, "Please select how to install Pictorel 5:", kLabel},
        {1001, "Button", 8, 12, 205, 9, "Install for the Current User only",
         kShown | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON},
        {1002, "Button", 8, 23, 205, 17,
         "Install for All Users of this computer (you should be an Administrator to install that way)",
         kShown | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_TOP},
        {-1, "Static", 5, 71, 207, 10, "Setup will install Pictorel 5 into the following folder.", kLabel},
        {1006, "Static", 5, 83, 205, 27,
         "To install into a different folder, Click Browse, and select another forder.", kLabel},
        {-1, "Button", 5, 111, 207, 51, "Destination Folder", kShown | BS_GROUPBOX},
        {1013, "Static", 11, 122, 197, 17, "Static", kLabel},
        {1005, "Button", 134, 141, 71, 16, "B&rowse...", kShown | WS_TABSTOP | BS_PUSHBUTTON},
    }},
    {107, false, kPageStyle, 217, 163, "", {
        {-1, "Static", 5, 0, 207, 17,
         "Enter the name of the Program Manager group to add Pictorel 5 icons to:", kLabel},
        {1007, "ComboBox", 5, 18, 207, 125, "", kShown | WS_TABSTOP | WS_VSCROLL | CBS_SIMPLE | CBS_SORT},
        {1008, "Button", 5, 141, 207, 10, "Auto-start Pictorel 5 when Windows starts",
         kShown | WS_TABSTOP | BS_AUTOCHECKBOX},
        {1009, "Button", 5, 152, 207, 10, "Add Pictorel 5 icon to the desktop", kShown | WS_TABSTOP | BS_AUTOCHECKBOX},
    }},
    {108, false, kPageStyle, 217, 163, "", {
        {1010, "Static", 5, 0, 207, 16, "You are now ready to install Pictorel 5.", kLabel},
        {1011, "Static", 5, 19, 207, 28,
         "Press the Next button to begin the installation or the Back button to change your selections.", kLabel},
        {1009, "Static", 5, 80, 207, 20, "Installing Pictorel 5, please wait...", kHidden | WS_GROUP | SS_CENTER},
        {1012, "Button", 5, 66, 206, 11, "Run Pictorel 5", kHidden | WS_TABSTOP | BS_AUTOCHECKBOX},
    }},
};

std::string Hex(DWORD value)
{
    char text[16];
    wsprintfA(text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

void ExpectControl(const DialogControl& actual, const ControlRow& expected)
{
    EXPECT_EQ(actual.id, expected.id);
    EXPECT_EQ(actual.windowClass, expected.windowClass);
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.cx, expected.cx);
    EXPECT_EQ(actual.cy, expected.cy);
    EXPECT_EQ(actual.text, expected.text);
    EXPECT_EQ(Hex(actual.style), Hex(expected.style));
    EXPECT_EQ(Hex(actual.exStyle), Hex(0));
}

bool LoadTemplate(const DataModule& module, int id, DialogTemplate& dialog)
{
    return ParseDialogTemplate(module.Resource(RT_DIALOG, MAKEINTRESOURCEA(id)), dialog);
}

TEST_F(SetupResources, DialogTemplatesMatchTheirTables)
{
    for (const TemplateRow& row : kTemplates) {
        SCOPED_TRACE("dialog " + std::to_string(row.id));
        DialogTemplate dialog;
        ASSERT_TRUE(LoadTemplate(setup_, row.id, dialog));
        EXPECT_EQ(dialog.extended, row.extended);
        EXPECT_EQ(Hex(dialog.style), Hex(row.style));
        EXPECT_EQ(Hex(dialog.exStyle), Hex(0));
        EXPECT_EQ(dialog.x, 0);
        EXPECT_EQ(dialog.y, 0);
        EXPECT_EQ(dialog.cx, row.cx);
        EXPECT_EQ(dialog.cy, row.cy);
        EXPECT_EQ(dialog.menu, "");
        EXPECT_EQ(dialog.windowClass, "");
        EXPECT_EQ(dialog.caption, row.caption);
        EXPECT_EQ(dialog.font, "MS Sans Serif");
        EXPECT_EQ(dialog.pointSize, 8);
        ASSERT_EQ(dialog.controls.size(), row.controls.size());
        for (std::size_t i = 0; i < row.controls.size(); ++i) {
            SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(row.controls[i].id));
            ExpectControl(dialog.controls[i], row.controls[i]);
        }
    }
}

// The welcome page formats 1003 with the version and the build label; its
// notice lines must come through unchanged, so they may hold no format field.
TEST_F(SetupResources, VersionLineFormatsOnlyItsFirstLine)
{
    DialogTemplate welcome;
    ASSERT_TRUE(LoadTemplate(setup_, IDD_WELCOME, welcome));
    auto line = std::find_if(welcome.controls.begin(), welcome.controls.end(),
                             [](const DialogControl& c) { return c.id == IDC_VERSION_LINE; });
    ASSERT_NE(line, welcome.controls.end());
    std::string notice = line->text.substr(line->text.find('\n'));
    EXPECT_EQ(std::count(notice.begin(), notice.end(), '\n'), 2) << notice;
    // A stray field would read an argument that is not there.
    ASSERT_EQ(notice.find('%'), std::string::npos) << notice;

    char formatted[512];
    wsprintfA(formatted, line->text.c_str(), 5, 1, 2, "Beta 3");
    EXPECT_EQ(formatted, "Pictorel ver. 5.01.02 Beta 3" + notice);
}

TEST_F(SetupResources, SidePictureIs120By260With256Colours)
{
    std::string bytes = setup_.Resource(RT_BITMAP, MAKEINTRESOURCEA(IDB_SIDE_PICTURE));
    BITMAPINFOHEADER header{};
    ASSERT_GE(bytes.size(), sizeof header);
    std::memcpy(&header, bytes.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 120);
    EXPECT_EQ(std::labs(header.biHeight), 260);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    DWORD colours = header.biClrUsed != 0 ? header.biClrUsed : 256;
    EXPECT_EQ(colours, 256u);
    // Header, palette and 260 rows of 120 bytes (already a multiple of 4).
    EXPECT_EQ(bytes.size(), sizeof header + 256 * sizeof(RGBQUAD) + 120 * 260);
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

TEST_F(SetupResources, IconIsOne32By32ImageWith16Colours)
{
    std::string group = setup_.Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_APP));
    WORD head[3] = {};
    ASSERT_GE(group.size(), sizeof head);
    std::memcpy(head, group.data(), sizeof head);
    EXPECT_EQ(head[1], 1);  // icon, not cursor
    ASSERT_EQ(head[2], 1);  // one image
    IconGroupEntry entry{};
    ASSERT_EQ(group.size(), sizeof head + sizeof entry);
    std::memcpy(&entry, group.data() + sizeof head, sizeof entry);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.colourCount, 16);
    EXPECT_EQ(entry.bitCount, 4);

    std::string image = setup_.Resource(RT_ICON, MAKEINTRESOURCEA(entry.id));
    BITMAPINFOHEADER header{};
    ASSERT_GE(image.size(), sizeof header);
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64);  // colour rows and mask rows together
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(image.size(), sizeof header + 16 * sizeof(RGBQUAD) + 32 * 16 + 32 * 4);
    EXPECT_EQ(entry.bytesInRes, image.size());
}

TEST_F(SetupResources, ManifestAsksForAdministratorAndCurrentControls)
{
    std::string manifest = setup_.Resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    for (const char* required : {
             "level=\"requireAdministrator\"",
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
             "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>",  // Vista
             "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",  // 7
             "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",  // 8
             "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",  // 8.1
             "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",  // 10 and 11
         }) {
        EXPECT_NE(manifest.find(required), std::string::npos) << required;
    }
}

TEST_F(SetupResources, VersionInformationNamesTheProduct)
{
    std::string path = SetupPath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(HIWORD(fixed->dwProductVersionMS), 5);
    char* name = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\ProductName",
                               reinterpret_cast<void**>(&name), &length));
    EXPECT_STREQ(name, "Pictorel 5");
}

// setup.exe must start on a bare machine: only DLLs every Windows has.
TEST(SetupImports, NameOnlySystemDlls)
{
    const std::set<std::string> allowed = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL",
                                           "SHELL32.DLL", "OLE32.DLL", "VERSION.DLL", "COMCTL32.DLL",
                                           "COMDLG32.DLL", "MSVCRT.DLL"};
    std::vector<std::string> dlls = ImportedDlls(ReadTextFile(SetupPath()));
    ASSERT_FALSE(dlls.empty()) << "no import directory read from " << SetupPath();
    bool kernel = false;
    for (std::string dll : dlls) {
        std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return std::toupper(c); });
        EXPECT_TRUE(allowed.count(dll)) << dll;
        kernel = kernel || dll == "KERNEL32.DLL";
    }
    EXPECT_TRUE(kernel);
}

}  // namespace
