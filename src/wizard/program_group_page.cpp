#include "wizard/program_group_page.h"

#include "core/product_profile.h"
#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "engine/scope_folders.h"
#include "win/folder_entries.h"


namespace {

// The Programs folder of the install scope now chosen; "" when unreadable.
std::string ProgramsFolder()
{
    return ReadScopeShellFolder(ProductProfile::commonProgramsValue, ProductProfile::programsValue);
}

}  // namespace

ProgramGroupPage::ProgramGroupPage(HWND frame) : Dialog(IDD_PROGRAM_GROUP, frame) {}

void ProgramGroupPage::DoDataExchange(DataExchange& exchange)
{
    exchange.Check(IDC_AUTO_START, autoStartCheck);
    exchange.Check(IDC_DESKTOP_ICON, desktopIconCheck);
}

BOOL ProgramGroupPage::OnInitDialog()
{
    Dialog::OnInitDialog();
    autoStartCheck = setupState.autoStart;
    desktopIconCheck = setupState.desktopIcon;
    SetItemText(IDC_GROUP, setupState.programGroup);
    UpdateData(false);
    FillGroupList();
    return TRUE;
}

bool ProgramGroupPage::DestroyWindow()
{
    UpdateData(true);
    setupState.autoStart = autoStartCheck;
    setupState.desktopIcon = desktopIconCheck;
    setupState.programGroup = ItemText(IDC_GROUP);
    return Dialog::DestroyWindow();
}

void ProgramGroupPage::FillGroupList()
{
    // With no Programs folder to read, the list stays empty rather than
    // showing the root of the current drive.
    std::string folder = ProgramsFolder();
    if (folder.empty()) return;
    HWND groups = Item(IDC_GROUP);
    for (FolderEntries entries(folder, "*"); entries.Next();) {
        if (entries.IsFolder()) SendMessageA(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries.Name()));
    }
}
