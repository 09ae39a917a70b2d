#include "movie_registry_key.h"

namespace movieset {

bool RegistryKey::readValue(const char* name, char* buffer, DWORD size, DWORD* type, DWORD* bytes) {
    return key_.queryValue(name, buffer, size, type, bytes) && *type != REG_NONE;
}

void RegistryKey::close() {
    if (key_.isOpen() && key_.changed()) key_.flush();
    key_.close();
}

}  // namespace movieset
