// Every literal that ties this setup program to the product it installs.
// The rest of the program speaks of "the main executable" or "the uninstall key"
// and takes the text from here. Win32-free: the host build compiles it too.
#pragma once

// The maker's web site; the resource scripts splice it into string 18 and the
// welcome page, so this line is the only place the address is written.
#define PICTOREL_WEB_SITE "http://www.velmora.example"

// The resource compiler reads this header for the macro above only.
#ifndef RC_INVOKED

#include <cstddef>

struct ProductProfile {
    // Product identity
    static constexpr const char* productName = "Pictorel 5";
    static constexpr const char* versionedProductName = "Pictorel v.5";
    static constexpr const char* vendorName = "Velmora";
    static constexpr const char* publisher = "Velmora Technology LLC";
    static constexpr const char* instanceManagerName = "Velmora.Pictorel.v4";
    static constexpr unsigned instanceAdditionalAreaSize = 1024;
    static constexpr const char* installerNameMarker = "setup.exe";

    // Files and folders. Entries with a leading backslash are appended directly
    // to a folder path that has none at its end.
    static constexpr const char* mainExecutable = "Pictrl5.exe";
    static constexpr const char* mainExecutablePath = "\\Pictrl5.exe";
    static constexpr const char* previousMajorExecutable = "\\Pictrl.exe";
    static constexpr const char* uninstallerPath = "\\PictrlUnInst.exe";
    static constexpr const char* uninstallLog = "PictrlUnInst.log";
    static constexpr const char* uninstallLogPath = "\\PictrlUnInst.log";
    static constexpr const char* earlierLog = "install.log";
    static constexpr const char* earlierLogPath = "\\install.log";
    static constexpr const char* settingsFile = "Pictrl5.ini";
    static constexpr const char* helpFilePath = "\\Pictrl5Man.chm";
    static constexpr const char* readmePath = "\\readme.txt";
    static constexpr const char* agreementFile = "agreement.txt";
    static constexpr const char* homePageShortcutPath = "\\HomePage.url";
    static constexpr const char* defaultGroupName = "Pictorel 5";
    static constexpr const char* defaultShortcutName = "Pictorel 5.lnk";
    static constexpr const char* productSubfolder = "\\Pictorel 5";
    static constexpr const char* shortcutExtension = ".lnk";
    static constexpr const char* backupSuffix = ".old";
    static constexpr const char* bootRenameFile = "WININIT.INI";
    static constexpr const char* bootRenameSection = "rename";
    static constexpr const char* bootRenamePrefix = "NUL=";
    static constexpr const char* temporaryUninstallerPrefix = "uni";

    // Registry keys and values
    static constexpr const char* appPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
    static constexpr const char* appPathKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Pictrl5.exe";
    static constexpr const char* uninstallRootKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    static constexpr const char* uninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pictorel 5";
    static constexpr const char* productKey = "SOFTWARE\\Velmora\\Pictorel 5";
    static constexpr const char* setupProductKey = "SOFTWARE\\Velmora\\Pictorel v.5";
    static constexpr const char* vendorKeyPattern = "SOFTWARE\\%s";
    static constexpr const char* vendorProductKeyPattern = "SOFTWARE\\%s\\%s";
    static constexpr const char* currentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    static constexpr const char* programFilesValue = "ProgramFilesDir";
    static constexpr const char* programFilesFallback = "Program Files";
    static constexpr const char* shellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    static constexpr const char* programsValue = "Programs";
    static constexpr const char* commonProgramsValue = "Common Programs";
    static constexpr const char* desktopValue = "Desktop";
    static constexpr const char* commonDesktopValue = "Common Desktop";
    static constexpr const char* startupValue = "Startup";
    static constexpr const char* commonStartupValue = "Common Startup";
    static constexpr const char* profileListKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
    static constexpr const char* profileImagePathValue = "ProfileImagePath";
    static constexpr const char* fileExtsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
    static constexpr const char* associationValue = "Application";
    static constexpr const char* savedAssociationValue = "PictrlOld";
    static constexpr const char* documentType = "PCT5.Document";
    static constexpr const char* allUsersValue = "AllUsers";
    static constexpr const char* pathValue = "Path";
    static constexpr const char* allUsersData = "B";
    static constexpr const char* currentUserData = "A";
    static constexpr const char* contactValue = "Contact";
    static constexpr const char* contactData = "Support";
    static constexpr const char* displayNameValue = "DisplayName";
    static constexpr const char* displayVersionValue = "DisplayVersion";
    static constexpr const char* displayVersionData = "5";
    static constexpr const char* publisherValue = "Publisher";
    static constexpr const char* uninstallStringValue = "UninstallString";
    static constexpr const char* urlInfoAboutValue = "URLInfoAbout";
    // What Windows, winget and inventory tools read beside the entries above.
    static constexpr const char* displayIconValue = "DisplayIcon";
    static constexpr const char* iconIndexSuffix = ",0";
    static constexpr const char* installLocationValue = "InstallLocation";
    static constexpr const char* estimatedSizeValue = "EstimatedSize";
    static constexpr const char* quietUninstallStringValue = "QuietUninstallString";
    static constexpr const char* noModifyValue = "NoModify";
    static constexpr const char* noRepairValue = "NoRepair";

    static constexpr const char* imageExtensions[] = {
        ".bmp", ".dib", ".gif", ".jpg", ".jpeg", ".tif", ".tiff", ".png", ".cmp", ".tga", ".wpg"};
    static constexpr std::size_t imageExtensionCount = sizeof(imageExtensions) / sizeof(imageExtensions[0]);

    // Command-line switches
    static constexpr const char* installSwitch = "-install";
    static constexpr const char* silentSwitch = "-s";
    static constexpr const char* skipCopiesSwitch = "/S";
    static constexpr const char* removalSwitch = "-delself";
    static constexpr const char* readOptionsSwitch = "-readopts";
    static constexpr const char* sfxNameVariable = "sfxname";
    // Names the file the passed-over failures are traced to, for support.
    static constexpr const char* traceFileVariable = "PICTOREL_SETUP_TRACE";

    // Web endpoints
    static constexpr const char* webSite = PICTOREL_WEB_SITE;
    static constexpr const char* installedPage = PICTOREL_WEB_SITE "/pictro/installed.asp";
    static constexpr const char* installScriptPage = PICTOREL_WEB_SITE "/pictro/InstScript.asp";
    static constexpr const char* homePageUrlPrefix = "URL=http://";

    // What the setup relies on from the installed product: the close request it
    // posts to a running copy, and the instance-list notifications.
    static constexpr unsigned closeRequestWParam = 1001;
    static constexpr unsigned instanceAddedMessage = 1946;
    static constexpr unsigned instanceRemovedMessage = 1947;
};

#endif  // RC_INVOKED
