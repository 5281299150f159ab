// Install scope and destination folder. The folder changes only through the
// shell's folder dialog and the folder rules; the scope is saved when the
// page's window goes.
#pragma once

#include "framework/dialog.h"

#include <cstddef>
#include <string>

class DestinationPage : public Dialog {
public:
    explicit DestinationPage(HWND frame);

    bool DestroyWindow() override;

    static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data) noexcept;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    bool OnButton(int id) override;

private:
    void BrowseForDestination();
    void ApplyChosenFolder(const std::string& chosen);
    void UpdateFolderNote();

    std::string folderNote;
    int installScope = -1;  // 0 current user, 1 all users, -1 neither
};

// The entries of folder matching pattern, "." and ".." not counted; 0 when
// the search finds nothing or cannot start.
std::size_t CountFolderEntries(const std::string& folder, const std::string& pattern);
