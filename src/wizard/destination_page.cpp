#include "wizard/destination_page.h"

#include "core/product_profile.h"
#include "core/setup_state.h"
#include "core/path_utils.h"
#include "framework/message_box.h"
#include "win/string_resources.h"
#include "win/handles.h"
#include "core/resource_ids.h"
#include "core/destination_rules.h"

#include <shlobj.h>

#include <cstring>

namespace {

// The search pattern's buffer: a folder, a backslash and a pattern.
constexpr std::size_t searchPathCapacity = 520;

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsDotEntry(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

FolderFacts ProbeFolder(const std::string& chosen)
{
    FolderFacts facts;
    facts.holdsPreviousMajor = FileExists(JoinFolder(chosen, ProductProfile::previousMajorExecutable));
    facts.holdsMainExecutable = FileExists(JoinFolder(chosen, ProductProfile::mainExecutablePath));
    facts.entryCount = CountFolderEntries(chosen, "*");
    return facts;
}

// The item list the folder dialog returned, freed through the shell's
// allocator when it goes.
class ItemList {
public:
    explicit ItemList(LPITEMIDLIST list) : list_(list) {}
    ~ItemList()
    {
        ComPtr<IMalloc> allocator;
        if (list_ != nullptr && SUCCEEDED(SHGetMalloc(allocator.Receive()))) allocator->Free(list_);
    }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    LPITEMIDLIST Get() const { return list_; }

private:
    LPITEMIDLIST list_;
};

}  // namespace

std::size_t CountFolderEntries(const std::string& folder, const std::string& pattern)
{
    std::string searchPath = JoinSearchPath(folder, pattern);
    if (searchPath.size() >= searchPathCapacity) return 0;
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA(searchPath.c_str(), &entry));
    if (!search.IsValid()) return 0;
    std::size_t count = 0;
    do {
        if (!IsDotEntry(entry.cFileName)) ++count;
    } while (FindNextFileA(search.Get(), &entry));
    return count;
}

DestinationPage::DestinationPage(HWND frame) : Dialog(IDD_DESTINATION, frame) {}

void DestinationPage::DoDataExchange(DataExchange& exchange)
{
    exchange.Radio(IDC_CURRENT_USER, installScope);
}

BOOL DestinationPage::OnInitDialog()
{
    Dialog::OnInitDialog();
    folderNote = WindowText(Item(IDC_FOLDER_NOTE));
    UpdateFolderNote();
    SetDlgItemTextA(Window(), IDC_DEST_FOLDER, setupState.destFolder.c_str());
    installScope = setupState.allUsers;
    UpdateData(false);
    return TRUE;
}

bool DestinationPage::DestroyWindow()
{
    UpdateData(true);
    setupState.allUsers = installScope;
    return Dialog::DestroyWindow();
}

bool DestinationPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_BROWSE && code == BN_CLICKED) {
        BrowseForDestination();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

void DestinationPage::UpdateFolderNote()
{
    bool holdsThisVersion = setupState.freshInstall == 0 &&
                            FileExists(JoinFolder(setupState.destFolder, ProductProfile::mainExecutablePath));
    std::string note = holdsThisVersion ? LoadResourceString(IDS_FOLDER_HAS_COPY) : folderNote;
    SetDlgItemTextA(Window(), IDC_FOLDER_NOTE, note.c_str());
}

void DestinationPage::BrowseForDestination()
{
    std::string title = LoadResourceString(IDS_BROWSE_TITLE);
    char displayName[MAX_PATH] = "";
    BROWSEINFOA browse{};
    browse.hwndOwner = Window();
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
    browse.lpfn = BrowseCallback;

    // The dialog can preselect only a folder that exists; an empty one at
    // the destination goes again afterwards, the installation makes it.
    CreateDirectoryA(setupState.destFolder.c_str(), nullptr);
    ComInitialization com;
    ItemList chosen(SHBrowseForFolderA(&browse));
    RemoveDirectoryA(setupState.destFolder.c_str());
    if (chosen.Get() == nullptr) return;

    char path[MAX_PATH] = "";
    if (!SHGetPathFromIDListA(chosen.Get(), path)) return;
    ApplyChosenFolder(path);
}

void DestinationPage::ApplyChosenFolder(const std::string& chosen)
{
    // An empty folder, one just made in the dialog say, waits for the
    // installation to make it again.
    RemoveDirectoryA(chosen.c_str());
    DestinationDecision decision = DecideDestination(chosen, ProbeFolder(chosen));
    if (decision.verdict == DestinationVerdict::refuse) {
        AppMessageBox(LoadResourceString(IDS_OLD_VERSION_FOLDER), MB_OK);
        return;
    }
    if (decision.verdict == DestinationVerdict::unusable) return;
    setupState.destFolder = decision.folder;
    SetDlgItemTextA(Window(), IDC_DEST_FOLDER, setupState.destFolder.c_str());
    UpdateFolderNote();
}

int CALLBACK DestinationPage::BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM)
{
    if (message == BFFM_INITIALIZED) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(setupState.destFolder.c_str()));
        return 0;
    }
    if (message == BFFM_VALIDATEFAILEDA) {
        AppMessageBox(LoadResourceString(IDS_INVALID_FOLDER), MB_OK);
        return 1;
    }
    return 0;
}
