// The sandbox of the uninstall tests: besides the product's keys, the keys
// the uninstaller may change on this machine are kept and put back (per-user
// file associations, the image extensions' classes, the other vendor keys,
// the default hive's shell folders, which point into the sandbox as well).
#pragma once

#include "support/registry_snapshot.h"
#include "support/sandbox.h"

#include <memory>
#include <string>
#include <vector>

class UninstallSandbox : public Sandbox {
protected:
    void SetUp() override;
    void TearDown() override;

    // A file with some content and the given attributes; folders on its way made.
    void MakeFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
    // Every file and folder under root with its attributes and size, one a line.
    std::string DescribeFiles() const;

    std::string installFolder;       // <Program Files>\Pictorel 5, no trailing backslash
    std::string defaultHiveRoot;     // where HKEY_USERS\.Default's shell folders point
    std::string defaultHivePrograms;
    std::string defaultHiveDesktop;
    std::string defaultHiveStartup;

    static constexpr const char* defaultHive = ".Default";

private:
    std::vector<std::unique_ptr<RegistrySnapshot>> snapshots_;
    void Keep(HKEY root, const std::string& key);
};

// Registry paths the tests share.
std::string ExtensionKey(const char* extension);       // FileExts\<ext> of HKEY_CURRENT_USER
std::string HiveKey(const std::string& hive, const std::string& key);  // <hive>\<key> under HKEY_USERS

// A string value read back, or "<none>" when it is not there.
constexpr const char* noValue = "<none>";
std::string ValueOrNone(HKEY root, const std::string& key, const char* name);
