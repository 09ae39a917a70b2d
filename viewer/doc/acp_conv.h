// UTF-16LE units to the system code page. Each unit is converted once by
// WideCharToMultiByte and remembered, so characters without a mapping become
// whatever the system substitutes, exactly as a direct call gives.
#pragma once
#include <cstddef>
#include <cstdint>

namespace viewer {

class AcpEncoder {
public:
    AcpEncoder();
    ~AcpEncoder();
    AcpEncoder(const AcpEncoder&) = delete;
    AcpEncoder& operator=(const AcpEncoder&) = delete;

    // Converts n units; `out` must hold 2 * n bytes. Returns the bytes written.
    size_t convert(const uint16_t* units, size_t n, unsigned char* out);

private:
    uint16_t lookUp(uint16_t unit);
    uint16_t* table_;  // 0: not converted yet; 0x100 | b: one byte; else lead << 8 | trail
};

}  // namespace viewer
