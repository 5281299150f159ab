#include "wizard/destination_page.h"

#include "core/destination_rules.h"
#include "core/path_utils.h"
#include "core/product_profile.h"
#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "engine/scope_folders.h"
#include "framework/message_box.h"
#include "win/code_page.h"
#include "win/folder_entries.h"
#include "win/handles.h"
#include "win/string_resources.h"

#include <shlobj.h>


namespace {

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FolderFacts ProbeFolder(const std::string& chosen)
{
    FolderFacts facts;
    facts.holdsPreviousMajor = FileExists(JoinFolder(chosen, ProductProfile::previousMajorExecutable, IsCodePageLeadByte));
    facts.holdsMainExecutable = FileExists(JoinFolder(chosen, ProductProfile::mainExecutablePath, IsCodePageLeadByte));
    facts.entryCount = CountFolderEntries(chosen, "*");
    facts.isLink = IsLink(chosen);
    facts.subfolderIsLink = IsLink(JoinFolder(chosen, ProductProfile::productSubfolder, IsCodePageLeadByte));
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
    std::size_t count = 0;
    for (FolderEntries entries(folder, pattern, searchPathSize); entries.Next();) ++count;
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
    folderNote = ItemText(IDC_FOLDER_NOTE);
    UpdateFolderNote();
    SetItemText(IDC_DEST_FOLDER, setupState.destFolder);
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

bool DestinationPage::OnButton(int id)
{
    if (id != IDC_BROWSE) return Dialog::OnButton(id);
    BrowseForDestination();
    return true;
}

void DestinationPage::UpdateFolderNote()
{
    bool holdsThisVersion = setupState.freshInstall == 0 &&
                            FileExists(JoinFolder(setupState.destFolder, ProductProfile::mainExecutablePath, IsCodePageLeadByte));
    std::string note = holdsThisVersion ? LoadResourceString(IDS_FOLDER_HAS_COPY) : folderNote;
    SetItemText(IDC_FOLDER_NOTE, note);
}

void DestinationPage::BrowseForDestination()
{
    std::string title = LoadResourceString(IDS_BROWSE_TITLE);
    char displayName[maxPath] = "";
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

    char path[maxPath] = "";
    if (!SHGetPathFromIDListA(chosen.Get(), path)) return;
    ApplyChosenFolder(path);
}

void DestinationPage::ApplyChosenFolder(const std::string& chosen)
{
    // An empty folder, one just made in the dialog say, waits for the
    // installation to make it again.
    RemoveDirectoryA(chosen.c_str());
    DestinationDecision decision = DecideDestination(chosen, ProbeFolder(chosen), IsCodePageLeadByte);
    if (decision.verdict == DestinationVerdict::refuse) {
        AppMessageBox(LoadResourceString(IDS_OLD_VERSION_FOLDER), MB_OK);
        return;
    }
    if (decision.verdict == DestinationVerdict::unusable) return;
    setupState.destFolder = decision.folder;
    SetItemText(IDC_DEST_FOLDER, setupState.destFolder);
    UpdateFolderNote();
}

int CALLBACK DestinationPage::BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM) noexcept
{
    if (message == BFFM_INITIALIZED) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(setupState.destFolder.c_str()));
        return 0;
    }
    if (message == BFFM_VALIDATEFAILEDA) {
        // Called from the shell's dialog: no exception may leave here.
        try {
            AppMessageBox(LoadResourceString(IDS_INVALID_FOLDER), MB_OK);
        } catch (...) {
        }
        return 1;
    }
    return 0;
}
