// The product's registry entries go; the vendor's other products and the
// product's own key keep the vendor key.
#include "uninstall/registry_cleanup.h"

#include "app/product_profile.h"
#include "support/machine.h"
#include "uninstall_sandbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const vendorKey = "SOFTWARE\\Velmora";
const char* const productKey = "SOFTWARE\\Velmora\\Pictorel v.5";

using RegistryCleanup = UninstallSandbox;

void RemoveThisProduct()
{
    RemoveProductRegistry(ProductProfile::vendorName, ProductProfile::versionedProductName,
                          ProductProfile::productName, ProductProfile::mainExecutable);
}

TEST_F(RegistryCleanup, TheVendorKeyStaysWhileAnotherKeyOfItRemains)
{
    const struct {
        const char* what;
        std::vector<std::string> otherProducts;
        bool vendorStays;
    } cases[] = {
        {"nothing else", {}, false},
        {"the product's own key", {ProductProfile::productKey}, true},
        {"another product", {"SOFTWARE\\Velmora\\Scanlet 2"}, true},
        {"both", {ProductProfile::productKey, "SOFTWARE\\Velmora\\Scanlet 2"}, true},
    };
    const struct {
        HKEY root;
        std::string prefix;
    } hives[] = {
        {HKEY_LOCAL_MACHINE, ""},
        {HKEY_CURRENT_USER, ""},
        {HKEY_USERS, HiveKey(defaultHive, "")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& hive : hives) {
            SCOPED_TRACE(hive.prefix);
            RegDeleteTree(hive.root, hive.prefix + vendorKey);
            ASSERT_TRUE(RegWrite(hive.root, hive.prefix + productKey + "\\Options\\Recent", "1", "a.bmp"));
            ASSERT_TRUE(RegWrite(hive.root, hive.prefix + vendorKey, "Site", "velmora"));  // values do not keep it
            for (const std::string& other : c.otherProducts)
                ASSERT_TRUE(RegWrite(hive.root, hive.prefix + other, "Path", "C:\\x"));
        }

        RemoveThisProduct();

        for (const auto& hive : hives) {
            SCOPED_TRACE(hive.prefix);
            EXPECT_FALSE(RegKeyExists(hive.root, hive.prefix + productKey));
            EXPECT_EQ(c.vendorStays, RegKeyExists(hive.root, hive.prefix + vendorKey));
            for (const std::string& other : c.otherProducts) EXPECT_TRUE(RegKeyExists(hive.root, hive.prefix + other));
        }
    }
}

TEST_F(RegistryCleanup, DeleteKeyTreeTakesEveryLevel)
{
    const std::string top = std::string(productKey);
    for (const char* a : {"a", "b", "c"})
        for (const char* b : {"1", "2", "3", "4"})
            ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, top + "\\" + a + "\\" + b + "\\leaf", "v", "x"));

    EXPECT_TRUE(DeleteKeyTree(HKEY_LOCAL_MACHINE, productKey));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, top));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, vendorKey));
    EXPECT_FALSE(DeleteKeyTree(HKEY_LOCAL_MACHINE, productKey)) << "nothing left to delete";
}

TEST_F(RegistryCleanup, TheUninstallAndAppPathEntriesGoAndTheirNeighboursStay)
{
    const std::string otherUninstall = std::string(ProductProfile::uninstallRootKey) + "\\Velmora Scanlet 2";
    const std::string otherAppPath = std::string(ProductProfile::appPathsKey) + "\\Scanlet.exe";
    for (const std::string& key : {std::string(ProductProfile::uninstallKey), otherUninstall,
                                   std::string(ProductProfile::appPathKey), otherAppPath})
        ASSERT_TRUE(RegWrite(HKEY_LOCAL_MACHINE, key, nullptr, "x"));
    ASSERT_TRUE(RegWrite(HKEY_CLASSES_ROOT, std::string(ProductProfile::documentType) + "\\DefaultIcon", nullptr, "x"));

    RemoveThisProduct();

    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, ProductProfile::uninstallKey));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, ProductProfile::appPathKey));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, ProductProfile::documentType));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, otherUninstall));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, otherAppPath));
}

}  // namespace
