// The setting tool's registry key: the shared wrapper with three differences.
// An existing key is opened for reading only, so the tool can show the
// current choice where the user may read but not write the machine's
// settings; closing a key that was written flushes it first, so the choice
// is on disk before the tool offers to start the menu; and a read reports
// the value's type and byte count and counts as found only when the registry
// names a type.
#pragma once
#include <windows.h>
#include "registry_key.h"

namespace movieset {

class RegistryKey {
public:
    explicit RegistryKey(HKEY root) : key_(root) {}
    ~RegistryKey() { close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // RegOpenKeyExA with KEY_READ.
    bool open(const char* subKey) { return key_.open(subKey, KEY_READ); }
    // RegCreateKeyExA with KEY_ALL_ACCESS; an existing key is opened.
    bool create(const char* subKey) { return key_.create(subKey); }
    // Reads a value into buffer (size bytes); type and bytes are handed back.
    // False when no key is open, the query fails or reports no type.
    bool readValue(const char* name, char* buffer, DWORD size, DWORD* type, DWORD* bytes);
    // RegSetValueExA with exactly size bytes.
    bool setValue(const char* name, const void* data, DWORD size, DWORD type) {
        return key_.setValue(name, data, static_cast<int>(size), type);
    }
    // Flushes a key that was written, then closes it.
    void close();

    LONG result() const { return key_.result(); }
    bool changed() const { return key_.changed(); }

private:
    common::RegistryKey key_;
};

}  // namespace movieset
