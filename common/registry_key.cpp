#include "registry_key.h"
#include <cstring>

namespace common {

bool RegistryKey::open(const char* subKey, REGSAM access) {
    close();
    HKEY key = nullptr;
    result_ = RegOpenKeyExA(root_, subKey, 0, access, &key);
    if (result_ != ERROR_SUCCESS) return false;
    key_ = key;
    return true;
}

bool RegistryKey::create(const char* subKey) {
    close();
    HKEY key = nullptr;
    DWORD disposition = 0;
    char emptyClass[1] = "";
    result_ = RegCreateKeyExA(root_, subKey, 0, emptyClass, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition);
    if (result_ != ERROR_SUCCESS) return false;
    key_ = key;
    return true;
}

bool RegistryKey::queryValue(const char* name, void* buffer, DWORD size, DWORD* type, DWORD* bytes) {
    if (type) *type = 0;
    if (bytes) *bytes = 0;
    if (!key_) return false;
    DWORD valueType = 0;
    DWORD count = size;
    LONG r = RegQueryValueExA(key_, name, nullptr, &valueType, static_cast<BYTE*>(buffer),
                              buffer ? &count : nullptr);
    if (r != ERROR_SUCCESS) return false;
    if (type) *type = valueType;
    if (bytes) *bytes = count;
    return true;
}

bool RegistryKey::setValue(const char* name, const void* data, int size, DWORD type) {
    if (!key_) return false;
    DWORD count = static_cast<DWORD>(size);
    if (size == -1) {
        if (type != REG_SZ || !data) return false;
        count = static_cast<DWORD>(std::strlen(static_cast<const char*>(data)) + 1);
    } else if (size < 0) {
        return false;
    }
    LONG r = RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), count);
    if (r != ERROR_SUCCESS) return false;
    changed_ = true;
    return true;
}

bool RegistryKey::flush() { return key_ && RegFlushKey(key_) == ERROR_SUCCESS; }

void RegistryKey::close() {
    if (key_) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

}  // namespace common
