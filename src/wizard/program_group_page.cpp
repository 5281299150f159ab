#include "wizard/program_group_page.h"

#include "core/product_profile.h"
#include "core/setup_state.h"
#include "core/path_utils.h"
#include "engine/scope_folders.h"
#include "win/handles.h"
#include "core/resource_ids.h"

#include <cstring>

namespace {

// The Programs folder of the install scope now chosen; "" when unreadable.
std::string ProgramsFolder()
{
    return ReadScopeShellFolder(ProductProfile::commonProgramsValue, ProductProfile::programsValue);
}

bool IsGroupFolder(const WIN32_FIND_DATAA& entry)
{
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
    return std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0;
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
    SetDlgItemTextA(Window(), IDC_GROUP, setupState.programGroup.c_str());
    UpdateData(false);
    FillGroupList();
    return TRUE;
}

bool ProgramGroupPage::DestroyWindow()
{
    UpdateData(true);
    setupState.autoStart = autoStartCheck;
    setupState.desktopIcon = desktopIconCheck;
    setupState.programGroup = WindowText(Item(IDC_GROUP));
    return Dialog::DestroyWindow();
}

void ProgramGroupPage::FillGroupList()
{
    // With no Programs folder to read, the list stays empty rather than
    // showing the root of the current drive.
    std::string folder = ProgramsFolder();
    if (folder.empty()) return;
    std::string pattern = JoinSearchPath(folder, "*");
    if (!FitsMaxPath(pattern)) return;
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA(pattern.c_str(), &entry));
    if (!search.IsValid()) return;
    HWND groups = Item(IDC_GROUP);
    do {
        if (IsGroupFolder(entry)) SendMessageA(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.cFileName));
    } while (FindNextFileA(search.Get(), &entry));
}
