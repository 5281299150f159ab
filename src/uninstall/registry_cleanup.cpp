#include "uninstall/registry_cleanup.h"

#include "core/buffer_sizes.h"
#include "core/product_profile.h"
#include "core/text_format.h"
#include "uninstall/user_hives.h"
#include "win/handles.h"
#include "win/system_library.h"

#include <string>

namespace {

void DeleteVendorProduct(HKEY root, const char* vendor, const char* product)
{
    // A key path that does not fit a registry text buffer is passed over.
    std::string productPath;
    if (FormatInto(productPath, registryTextSize, ProductProfile::vendorProductKeyPattern, vendor, product))
        DeleteKeyTree(root, productPath.c_str());
    std::string vendorPath;
    if (FormatInto(vendorPath, registryTextSize, ProductProfile::vendorKeyPattern, vendor))
        DeleteKeyIfNoSubkeys(root, vendorPath.c_str());
}

void DeleteSubkeyOf(const char* parentPath, const char* name)
{
    RegKey parent;
    if (parent.Open(HKEY_LOCAL_MACHINE, parentPath, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
    RegDeleteKeyA(parent.Get(), name);
}

// A user's own hive may hold a registry link (a key made with
// REG_OPTION_CREATE_LINK), say to itself or to its parent: followed, it would
// send the deletion round without end, or into another key. So keys are
// opened as links, and a link key is deleted itself through its handle
// (NtDeleteKey), where RegDeleteKeyA would look the name up again and follow
// it. Where ntdll has no NtDeleteKey (the 9x family) there are no links.
using DeleteKeyFunction = LONG(NTAPI*)(HANDLE key);

// Far deeper than any key the product writes, far short of the stack's end.
constexpr int maxKeyTreeDepth = 32;

DeleteKeyFunction OpenUnfollowed(RegKey& key, HKEY parent, const char* name)
{
    const auto deleteKey = ProcAddress<DeleteKeyFunction>(GetModuleHandleA("ntdll.dll"), "NtDeleteKey");
    RegOpenKeyExA(parent, name, deleteKey != nullptr ? REG_OPTION_OPEN_LINK : 0, KEY_ALL_ACCESS, key.Receive());
    return deleteKey;
}

bool DeleteOpened(RegKey& key, DeleteKeyFunction deleteKey, HKEY parent, const char* name)
{
    if (deleteKey != nullptr) return deleteKey(key.Get()) >= 0;
    key.Close();
    return RegDeleteKeyA(parent, name) == ERROR_SUCCESS;
}

// name under parent with everything below it, depthLeft levels down at most.
bool DeleteKeyBelow(HKEY parent, const char* name, int depthLeft)
{
    RegKey key;
    const DeleteKeyFunction deleteKey = OpenUnfollowed(key, parent, name);
    if (!key.IsValid()) return false;
    char subkey[registryTextSize];
    DWORD index = 0;
    while (depthLeft > 0 && RegEnumKeyA(key.Get(), index, subkey, sizeof subkey) == ERROR_SUCCESS) {
        // A deleted subkey moves the next one into its index.
        if (!DeleteKeyBelow(key.Get(), subkey, depthLeft - 1)) ++index;
    }
    return DeleteOpened(key, deleteKey, parent, name);
}

}  // namespace

bool DeleteKeyTree(HKEY root, const char* subkey)
{
    return DeleteKeyBelow(root, subkey, maxKeyTreeDepth);
}

void DeleteKeyIfNoSubkeys(HKEY root, const char* subkey)
{
    RegKey key;
    const DeleteKeyFunction deleteKey = OpenUnfollowed(key, root, subkey);
    if (!key.IsValid()) return;
    char name[registryTextSize];
    if (RegEnumKeyA(key.Get(), 0, name, sizeof name) == ERROR_NO_MORE_ITEMS) DeleteOpened(key, deleteKey, root, subkey);
}

void RemoveProductRegistry(const char* vendor, const char* product, const char* uninstallEntry,
                           const char* appPath)
{
    DeleteVendorProduct(HKEY_LOCAL_MACHINE, vendor, product);
    ForEachUserHive([&](HKEY hive, const std::string&) { DeleteVendorProduct(hive, vendor, product); });
    DeleteKeyTree(HKEY_CLASSES_ROOT, ProductProfile::documentType);
    DeleteSubkeyOf(ProductProfile::uninstallRootKey, uninstallEntry);
    DeleteSubkeyOf(ProductProfile::appPathsKey, appPath);
}
