// Byte counts as the installer shows them: whole units and the remainder
// as a three-digit count of the next smaller unit ("  1.512 MB ").
#pragma once
#include <cstddef>
#include <cstdint>

namespace installer {

// Writes the text for count into buf (always terminated) and returns a
// pointer to its terminator, so texts can be chained.
char* formatSize(uint64_t count, char* buf, size_t size);

}  // namespace installer
