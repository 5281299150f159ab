#include "uninstall/registry_cleanup.h"

#include "app/product_profile.h"
#include "framework/text_format.h"
#include "framework/win_handles.h"
#include "uninstall/user_hives.h"
#include "uninstall/value_read.h"

namespace {

// Formats a key path into a registry text buffer; false when it does not fit.
bool FormatKeyPath(char (&path)[registryTextSize], const char* pattern, const char* first,
                   const char* second = nullptr)
{
    return FormatIntoBuffer(path, sizeof path, pattern, first, second);
}

void DeleteVendorProduct(HKEY root, const char* vendor, const char* product)
{
    char productPath[registryTextSize];
    if (FormatKeyPath(productPath, ProductProfile::vendorProductKeyPattern, vendor, product))
        DeleteKeyTree(root, productPath);
    char vendorPath[registryTextSize];
    if (FormatKeyPath(vendorPath, ProductProfile::vendorKeyPattern, vendor))
        DeleteKeyIfNoSubkeys(root, vendorPath);
}

void DeleteSubkeyOf(const char* parentPath, const char* name)
{
    RegKey parent;
    if (parent.Open(HKEY_LOCAL_MACHINE, parentPath, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
    RegDeleteKeyA(parent.Get(), name);
}

}  // namespace

bool DeleteKeyTree(HKEY root, const char* subkey)
{
    RegKey key;
    if (key.Open(root, subkey, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
        char name[registryTextSize];
        DWORD index = 0;
        while (RegEnumKeyA(key.Get(), index, name, sizeof name) == ERROR_SUCCESS) {
            // A deleted subkey moves the next one into its index.
            if (!DeleteKeyTree(key.Get(), name)) ++index;
        }
        key.Close();
    }
    return RegDeleteKeyA(root, subkey) == ERROR_SUCCESS;
}

void DeleteKeyIfNoSubkeys(HKEY root, const char* subkey)
{
    RegKey key;
    if (key.Open(root, subkey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
    char name[registryTextSize];
    DWORD count = 0;
    while (RegEnumKeyA(key.Get(), count, name, sizeof name) == ERROR_SUCCESS) ++count;
    key.Close();
    if (count == 0) RegDeleteKeyA(root, subkey);
}

void RemoveProductRegistry(const char* vendor, const char* product, const char* uninstallEntry,
                           const char* appPath)
{
    DeleteVendorProduct(HKEY_LOCAL_MACHINE, vendor, product);
    ForEachUserHive([&](HKEY hive) { DeleteVendorProduct(hive, vendor, product); });
    DeleteKeyTree(HKEY_CLASSES_ROOT, ProductProfile::documentType);
    DeleteSubkeyOf(ProductProfile::uninstallRootKey, uninstallEntry);
    DeleteSubkeyOf(ProductProfile::appPathsKey, appPath);
}
