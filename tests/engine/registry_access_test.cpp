#include "engine/registry_access.h"

#include "support/machine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const testKey = "Software\\PictorelEngineTest";

class RegistryAccess : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTree(HKEY_CURRENT_USER, testKey); }
    void TearDown() override { RegDeleteTree(HKEY_CURRENT_USER, testKey); }

    static void SetRaw(const char* name, DWORD type, const std::string& bytes)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, testKey, &key));
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                                static_cast<DWORD>(bytes.size())));
        RegCloseKey(key);
    }
};

TEST_F(RegistryAccess, ReadsTextUpToItsFirstZeroOrNothing)
{
    const std::string text259(259, 'p');
    SetRaw("fits", REG_SZ, text259 + '\0');
    SetRaw("too long", REG_SZ, std::string(260, 'q') + '\0');
    SetRaw("binary", REG_BINARY, std::string("ab\0cd", 5));
    SetRaw("dword", REG_DWORD, std::string("ABC\0", 4));
    SetRaw("short binary without zero", REG_BINARY, "xyz");
    SetRaw("full binary without zero", REG_BINARY, std::string(260, 'r'));
    SetRaw(nullptr, REG_SZ, std::string("default\0", 8));
    struct {
        const char* what;
        const char* key;
        const char* name;
        std::string expected;
    } const cases[] = {
        {"missing key", "Software\\PictorelEngineTest\\missing", "fits", ""},
        {"missing value", testKey, "missing", ""},
        {"259 characters fit", testKey, "fits", text259},
        {"260 characters do not", testKey, "too long", ""},
        {"binary up to its zero", testKey, "binary", "ab"},
        {"a number as its bytes", testKey, "dword", "ABC"},
        {"short data without a zero", testKey, "short binary without zero", "xyz"},
        {"260 bytes without a zero", testKey, "full binary without zero", ""},
        {"default value", testKey, nullptr, "default"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected, ReadRegistryString(HKEY_CURRENT_USER, c.key, c.name));
    }
}

TEST_F(RegistryAccess, WritesStringsCreatingTheKeysOnTheWay)
{
    const std::string deepKey = std::string(testKey) + "\\one\\two\\three";
    struct {
        const char* what;
        const char* name;
        const char* text;
        std::string stored;  // the data as stored, terminating zero included
    } const cases[] = {
        {"named value", "Path", "C:\\Program Files\\Pictorel 5", std::string("C:\\Program Files\\Pictorel 5", 28)},
        {"default value", nullptr, "C:\\P\\Pictrl5.exe", std::string("C:\\P\\Pictrl5.exe", 17)},
        {"empty text is one zero byte", "Empty", "", std::string(1, '\0')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(WriteRegistryString(HKEY_CURRENT_USER, deepKey.c_str(), c.name, c.text));

        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, deepKey.c_str(), 0, KEY_READ, &key));
        char data[300];
        DWORD size = sizeof data;
        DWORD type = 0;
        LONG rc = RegQueryValueExA(key, c.name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        ASSERT_EQ(ERROR_SUCCESS, rc);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
        EXPECT_EQ(c.stored, std::string(data, size));
        EXPECT_EQ(c.text, ReadRegistryString(HKEY_CURRENT_USER, deepKey.c_str(), c.name));
    }
}

}  // namespace
