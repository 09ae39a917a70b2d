// Thin wrapper over one registry key below a fixed root.
#pragma once
#include <windows.h>

namespace common {

class RegistryKey {
public:
    explicit RegistryKey(HKEY root) : root_(root) {}
    ~RegistryKey() { close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // RegOpenKeyExA on the root (KEY_ALL_ACCESS unless another access is
    // asked for); the result code is kept. True on success.
    bool open(const char* subKey, REGSAM access = KEY_ALL_ACCESS);
    // RegCreateKeyExA on the root; an existing key is opened. True on success.
    bool create(const char* subKey);
    // RegQueryValueExA into buffer of size bytes. The type and the byte
    // count are handed back when asked for. False when no key is open or the
    // call fails.
    bool queryValue(const char* name, void* buffer, DWORD size, DWORD* type = nullptr,
                    DWORD* bytes = nullptr);
    // RegSetValueExA with exactly size bytes; size -1 with REG_SZ stores the
    // string with its terminator. Sets the changed flag on success.
    bool setValue(const char* name, const void* data, int size, DWORD type);
    // Writes the key's changes to disk (RegFlushKey); false when none is open.
    bool flush();
    // Closes the key when one is held.
    void close();

    HKEY handle() const { return key_; }
    HKEY root() const { return root_; }
    LONG result() const { return result_; }
    bool changed() const { return changed_; }
    bool isOpen() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
    HKEY root_;
    LONG result_ = -1;
    bool changed_ = false;
};

}  // namespace common
