// The dialog framework on its own: start-up's end, data exchange with real
// controls, and the message-box service.
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/message_box.h"
#include "resources/resource_ids.h"
#include "support/machine.h"
#include "support/ui_driver.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(RunApplication, EndsAtOnceWithExitCodeZeroAfterOneStartUpCall)
{
    for (const char* result : {"true", "false"}) {
        SCOPED_TRACE(result);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        std::string record = std::string(temp) + "app_probe_" + result + ".txt";
        DeleteFileA(record.c_str());
        DWORD start = GetTickCount();
        int exitCode = RunAndWait("\"" + TestBinFolder() + "\\app_probe.exe\" " + result + " \"" + record + "\"", 20000);
        EXPECT_EQ(0, exitCode);
        EXPECT_LT(GetTickCount() - start, 15000u) << "the message loop must not wait for anything";
        EXPECT_EQ("InitInstance Pictorel 5 Setup\n", ReadTextFile(record));
        DeleteFileA(record.c_str());
    }
}

// A page template put to work with members of each kind.
class ExchangeProbe : public Dialog {
public:
    ExchangeProbe(UINT templateId, HWND parent) : Dialog(templateId, parent) {}
    void Exchange(bool save) { UpdateData(save); }

    int radio = -1;
    int autoStart = 0;
    int desktopIcon = 0;
    std::string group;

protected:
    void DoDataExchange(DataExchange& exchange) override
    {
        exchange.Radio(IDC_CURRENT_USER, radio);
        exchange.Check(IDC_AUTO_START, autoStart);
        exchange.Check(IDC_DESKTOP_ICON, desktopIcon);
        exchange.Text(IDC_GROUP, group);
    }
};

class DataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = CreateWindowA("STATIC", "host", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, host);
    }
    void TearDown() override { DestroyWindow(host); }
    HWND host = nullptr;
};

TEST_F(DataExchangeTest, RadioGroupIndexGoesBothWays)
{
    ExchangeProbe page(IDD_DESTINATION, host);
    ASSERT_TRUE(page.Create());
    const struct {
        int loaded;
        int first, second;  // check states shown
        int saved;
    } cases[] = {
        {0, BST_CHECKED, BST_UNCHECKED, 0},
        {1, BST_UNCHECKED, BST_CHECKED, 1},
        {-1, BST_UNCHECKED, BST_UNCHECKED, -1},
        {2, BST_UNCHECKED, BST_UNCHECKED, -1},  // past the group's end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loaded);
        page.radio = c.loaded;
        page.Exchange(false);
        EXPECT_EQ(c.first, ui::ItemCheck(page.Window(), IDC_CURRENT_USER));
        EXPECT_EQ(c.second, ui::ItemCheck(page.Window(), IDC_ALL_USERS));
        page.radio = 99;
        page.Exchange(true);
        EXPECT_EQ(c.saved, page.radio);
    }
}

TEST_F(DataExchangeTest, CheckboxesAndTextGoBothWays)
{
    ExchangeProbe page(IDD_PROGRAM_GROUP, host);
    ASSERT_TRUE(page.Create());
    const struct {
        int autoStart, desktopIcon;
        std::string group;
    } cases[] = {{1, 0, "Tools\\Capture"}, {0, 1, ""}, {1, 1, std::string(300, 'g')}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        page.autoStart = c.autoStart;
        page.desktopIcon = c.desktopIcon;
        page.group = c.group;
        page.Exchange(false);
        EXPECT_EQ(c.autoStart ? BST_CHECKED : BST_UNCHECKED, ui::ItemCheck(page.Window(), IDC_AUTO_START));
        EXPECT_EQ(c.group, ui::ItemText(page.Window(), IDC_GROUP));
        page.autoStart = page.desktopIcon = -5;
        page.group = "stale";
        page.Exchange(true);
        EXPECT_EQ(c.autoStart, page.autoStart);
        EXPECT_EQ(c.desktopIcon, page.desktopIcon);
        EXPECT_EQ(c.group, page.group);
    }
}

TEST(AppMessageBox, CarriesTheApplicationTitleAndAddsTheIconOnlyWhereDue)
{
    const struct {
        const char* what;
        UINT type;
        ui::BoxIcon icon;
        std::vector<int> buttons;
        int answer;
    } cases[] = {
        {"OK", MB_OK, ui::BoxIcon::exclamation, {IDOK}, IDOK},
        {"OK/Cancel", MB_OKCANCEL, ui::BoxIcon::exclamation, {IDOK, IDCANCEL}, IDCANCEL},
        {"Yes/No/Cancel", MB_YESNOCANCEL, ui::BoxIcon::exclamation, {IDYES, IDNO, IDCANCEL}, IDNO},
        {"Yes/No with its own icon", MB_YESNO | MB_ICONQUESTION, ui::BoxIcon::question, {IDYES, IDNO}, IDYES},
        {"Retry/Cancel keeps none", MB_RETRYCANCEL, ui::BoxIcon::none, {IDRETRY, IDCANCEL}, IDRETRY},
        {"information kept", MB_OK | MB_ICONINFORMATION, ui::BoxIcon::asterisk, {IDOK}, IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::thread user([&] {
            HWND box = ui::WaitForMessageBox("Pictorel 5 Setup", GetCurrentProcessId());
            ASSERT_NE(nullptr, box);
            ui::MessageBoxContent content = ui::ReadMessageBox(box);
            EXPECT_EQ(c.what, content.text);
            EXPECT_EQ(c.icon, content.icon);
            EXPECT_EQ(c.buttons, content.buttonIds);
            EXPECT_EQ(nullptr, content.owner) << "no active window, no owner";
            ui::AnswerMessageBox(box, c.answer);
        });
        int answer = AppMessageBox(c.what, c.type);
        user.join();
        EXPECT_EQ(c.answer, answer);
    }
}

}  // namespace
