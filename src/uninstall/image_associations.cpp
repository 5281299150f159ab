#include "uninstall/image_associations.h"

#include "core/buffer_sizes.h"
#include "core/product_profile.h"
#include "win/handles.h"
#include "win/registry_text.h"

#include <windows.h>

#include <array>
#include <string>

namespace {

using RestoreTable = std::array<std::string, ProductProfile::imageExtensionCount>;

// Where the associations live: the key holding one subkey per extension, and
// the name of the association value in it (null: the default value).
struct AssociationRoot {
    RegKey key;
    const char* valueName = nullptr;
};

bool OpenAssociationRoot(AssociationRoot& root)
{
    if (root.key.Open(HKEY_CURRENT_USER, ProductProfile::fileExtsKey, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
        root.valueName = ProductProfile::associationValue;
        return true;
    }
    root.valueName = nullptr;
    return root.key.Open(HKEY_CLASSES_ROOT, nullptr, KEY_ALL_ACCESS) == ERROR_SUCCESS;
}

// Opens the extension's key and reads its association; true when that names
// the product.
bool OpenProductAssociation(const AssociationRoot& root, const char* extension, RegKey& key)
{
    if (key.Open(root.key.Get(), extension, KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
    std::string association;
    return ReadValueText(key.Get(), root.valueName, registryTextSize, association) &&
           association.find(ProductProfile::mainExecutable) != std::string::npos;
}

// Collects every saved association before any is changed.
RestoreTable ReadSavedAssociations(const AssociationRoot& root)
{
    RestoreTable restore;
    for (std::size_t i = 0; i < restore.size(); ++i) {
        RegKey key;
        if (OpenProductAssociation(root, ProductProfile::imageExtensions[i], key))
            ReadValueText(key.Get(), ProductProfile::savedAssociationValue, registryTextSize, restore[i]);
    }
    return restore;
}

bool GiveBackAssociation(const AssociationRoot& root, const char* extension, const std::string& saved)
{
    RegKey key;
    if (!OpenProductAssociation(root, extension, key)) return false;
    if (!saved.empty()) {
        RegSetValueExA(key.Get(), root.valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(saved.c_str()),
                       static_cast<DWORD>(saved.size() + 1));
    } else {
        RegDeleteValueA(key.Get(), root.valueName);
    }
    RegDeleteValueA(key.Get(), ProductProfile::savedAssociationValue);
    return true;
}

}  // namespace

bool RestoreImageAssociations()
{
    AssociationRoot root;
    if (!OpenAssociationRoot(root)) return false;
    RestoreTable restore = ReadSavedAssociations(root);
    bool changed = false;
    for (std::size_t i = 0; i < restore.size(); ++i) {
        if (GiveBackAssociation(root, ProductProfile::imageExtensions[i], restore[i])) changed = true;
    }
    return changed;
}
