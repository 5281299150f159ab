// Image associations given back in both modes, with values at the edges of
// the 512-byte scratch buffer.
#include "uninstall/image_associations.h"

#include "app/product_profile.h"
#include "support/machine.h"
#include "uninstall_sandbox.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const none = noValue;
const std::string product = "C:\\Program Files\\Pictorel 5\\Pictrl5.exe \"%1\"";

void SetValue(HKEY root, const std::string& key, const char* name, const std::string& data)
{
    if (data == none) return;
    ASSERT_TRUE(RegWrite(root, key, name, data)) << key;
}

// Text without a terminating zero, filling the scratch buffer exactly. Wine
// adds the zero to REG_SZ data of its own accord, so raw bytes it is: the
// type is not looked at when the association is read.
void SetUnterminatedValue(HKEY root, const std::string& key, const char* name, const std::string& data)
{
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(root, key.c_str(), &k));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(k, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(data.data()),
                                            static_cast<DWORD>(data.size())));
    RegCloseKey(k);
}

struct Association {
    const char* extension;
    std::string association;  // none: no value
    std::string saved;        // "PictrlOld"; none: no value
    std::string associationAfter;
    std::string savedAfter;
};

class ImageAssociations : public UninstallSandbox {
protected:
    // Runs the table in one mode: root and key of each extension, and the
    // name of the association value.
    void Check(HKEY root, std::string (*keyOf)(const char*), const char* valueName, const Association* cases,
               size_t count)
    {
        for (size_t i = 0; i < count; ++i) {
            SetValue(root, keyOf(cases[i].extension), valueName, cases[i].association);
            SetValue(root, keyOf(cases[i].extension), "PictrlOld", cases[i].saved);
        }
        EXPECT_TRUE(RestoreImageAssociations());
        for (size_t i = 0; i < count; ++i) {
            SCOPED_TRACE(cases[i].extension);
            EXPECT_EQ(cases[i].associationAfter, ValueOrNone(root, keyOf(cases[i].extension), valueName));
            EXPECT_EQ(cases[i].savedAfter, ValueOrNone(root, keyOf(cases[i].extension), "PictrlOld"));
        }
        EXPECT_FALSE(RestoreImageAssociations()) << "nothing names the product any more";
    }
};

std::string ClassKey(const char* extension)
{
    return extension;
}

TEST_F(ImageAssociations, PerUserAssociationsGetTheirSavedValueBack)
{
    const std::string long600 = std::string(589, 'x') + "Pictrl5.exe";
    const std::string saved511(511, 's');
    const std::string saved512(512, 's');
    const Association cases[] = {
        {".bmp", product, "mspaint.exe", "mspaint.exe", none},
        {".gif", product, none, none, none},
        {".jpg", "viewer.exe", "Pictrl5.exe", "viewer.exe", "Pictrl5.exe"},
        {".png", product, "", none, none},
        {".tiff", long600, "old.exe", long600, "old.exe"},  // does not fit: not the product's
        {".cmp", product, saved511, saved511, none},
        {".tga", product, saved512, none, none},             // too long to read: nothing to give back
        {".jpeg", none, "old.exe", none, "old.exe"},
    };
    ASSERT_TRUE(RegWrite(HKEY_CLASSES_ROOT, ".dib", nullptr, product));

    Check(HKEY_CURRENT_USER, ExtensionKey, "Application", cases, std::size(cases));

    EXPECT_EQ(product, ValueOrNone(HKEY_CLASSES_ROOT, ".dib", nullptr)) << "classes are not this mode's";
}

TEST_F(ImageAssociations, AValueFillingTheBufferWithoutItsZeroIsNotRead)
{
    const std::string full = std::string(501, 'x') + "Pictrl5.exe";
    ASSERT_EQ(512u, full.size());
    SetUnterminatedValue(HKEY_CURRENT_USER, ExtensionKey(".wpg"), "Application", full);
    ASSERT_TRUE(RegWrite(HKEY_CURRENT_USER, ExtensionKey(".wpg"), "PictrlOld", "old.exe"));

    EXPECT_FALSE(RestoreImageAssociations());

    EXPECT_EQ("old.exe", ValueOrNone(HKEY_CURRENT_USER, ExtensionKey(".wpg"), "PictrlOld"));
}

TEST_F(ImageAssociations, WithoutPerUserAssociationsTheClassesAreUsed)
{
    RegDeleteTree(HKEY_CURRENT_USER, ProductProfile::fileExtsKey);  // put back by the sandbox
    ASSERT_FALSE(RegKeyExists(HKEY_CURRENT_USER, ProductProfile::fileExtsKey));
    const Association cases[] = {
        {".bmp", product, "Paint.Picture", "Paint.Picture", none},
        {".gif", product, none, none, none},
        {".png", "pngfile", "Pictrl5.exe", "pngfile", "Pictrl5.exe"},
        {".wpg", product, "wpgfile", "wpgfile", none},
    };

    Check(HKEY_CLASSES_ROOT, ClassKey, nullptr, cases, std::size(cases));

    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, ProductProfile::fileExtsKey));
}

}  // namespace
