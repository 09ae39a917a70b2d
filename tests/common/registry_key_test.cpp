// Registry key wrapper against a scratch key under HKEY_CURRENT_USER.
#include "registry_key.h"
#include <gtest/gtest.h>
#include <string>

using namespace common;

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = "Software\\DiscSoftwareTests\\Key" + std::to_string(GetCurrentProcessId());
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\DiscSoftwareTests");
    }
    // Reads a value straight from the registry, bypassing the wrapper.
    std::string rawValue(const char* name, DWORD* type) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<no key>";
        char data[64];
        DWORD size = sizeof data;
        LONG r = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        return r == ERROR_SUCCESS ? std::string(data, size) : "<no value>";
    }
    // Byte count of a value as stored. The ANSI query may add a terminator
    // to a string on the way out, so the size is taken from the wide query.
    DWORD storedBytes(const wchar_t* name) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
        DWORD size = 0;
        LONG r = RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size);
        RegCloseKey(key);
        return r == ERROR_SUCCESS ? size : 0;
    }
    std::string path_;
};

TEST_F(RegistryKeyTest, ExplicitSizeStoresExactlyThoseBytes) {
    RegistryKey key(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.create(path_.c_str()));
    EXPECT_FALSE(key.changed());
    // The system itself adds a forgotten terminator when the byte after the
    // data is zero, so the data here goes on past the given size.
    ASSERT_TRUE(key.setValue("MOVIE", "YesNo", 3, REG_SZ));
    EXPECT_TRUE(key.changed());
    DWORD type = 0;
    EXPECT_EQ(0, rawValue("MOVIE", &type).compare(0, 3, "Yes"));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(3 * sizeof(wchar_t), storedBytes(L"MOVIE"));  // no terminator stored
    ASSERT_TRUE(key.setValue("Raw", "ab\0cd", 4, REG_BINARY));
    EXPECT_EQ(std::string("ab\0c", 4), rawValue("Raw", &type));
}

TEST_F(RegistryKeyTest, SizeMinusOneStoresTheTerminator) {
    RegistryKey key(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.create(path_.c_str()));
    ASSERT_TRUE(key.setValue("MOVIE", "No", -1, REG_SZ));
    DWORD type = 0;
    EXPECT_EQ(std::string("No\0", 3), rawValue("MOVIE", &type));
    EXPECT_EQ(3 * sizeof(wchar_t), storedBytes(L"MOVIE"));  // "No" and its terminator
    const DWORD number = 0x01020304;
    ASSERT_TRUE(key.setValue("N", &number, sizeof number, REG_DWORD));
    EXPECT_EQ(std::string("\x04\x03\x02\x01", 4), rawValue("N", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_FALSE(key.setValue("bad", &number, -1, REG_DWORD));
}

TEST_F(RegistryKeyTest, QueryAfterReopen) {
    {
        RegistryKey key(HKEY_CURRENT_USER);
        ASSERT_TRUE(key.create(path_.c_str()));
        ASSERT_TRUE(key.setValue("MOVIE", "Yes", -1, REG_SZ));
        EXPECT_TRUE(key.flush());
    }
    RegistryKey key(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.open(path_.c_str(), KEY_READ));
    EXPECT_EQ(ERROR_SUCCESS, key.result());
    char buf[80] = {};
    DWORD type = 0, bytes = 0;
    ASSERT_TRUE(key.queryValue("MOVIE", buf, sizeof buf, &type, &bytes));
    EXPECT_STREQ("Yes", buf);
    EXPECT_EQ(4u, bytes);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_FALSE(key.queryValue("Missing", buf, sizeof buf));
    char small[2];
    EXPECT_FALSE(key.queryValue("MOVIE", small, sizeof small));  // too small: fails, not overruns
}

TEST_F(RegistryKeyTest, ClosedOrMissingKeyFailsQuietly) {
    RegistryKey key(HKEY_CURRENT_USER);
    EXPECT_EQ(-1, key.result());
    char buf[8];
    EXPECT_FALSE(key.queryValue("MOVIE", buf, sizeof buf));
    EXPECT_FALSE(key.setValue("MOVIE", "Yes", -1, REG_SZ));
    EXPECT_FALSE(key.open(path_.c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.result());
    EXPECT_FALSE(key.isOpen());
    key.close();  // closing twice is harmless
    key.close();
    EXPECT_FALSE(key.changed());
}
