// One 32-bit word per display row. Bits 0-15 hold the text's offset in the
// text window while the row is resident (bit 30), otherwise the number of
// the page that holds it (page address / 8192).
#pragma once
#include <cstdint>

namespace viewer {

constexpr uint32_t kRowPosMask = 0x0000FFFFu;
constexpr int kRowLenShift = 16;
constexpr uint32_t kRowLenMask = 0x03FF0000u;
constexpr uint32_t kRowEdited = 1u << 26;
constexpr uint32_t kRowFlag27 = 1u << 27;
constexpr uint32_t kRowHighlightMask = 3u << 28;
constexpr uint32_t kRowResident = 1u << 30;
constexpr uint32_t kRowEndsLine = 1u << 31;

inline unsigned rowPos(uint32_t w) { return w & kRowPosMask; }
inline int rowLen(uint32_t w) { return int((w & kRowLenMask) >> kRowLenShift); }
inline bool rowResident(uint32_t w) { return (w & kRowResident) != 0; }
inline bool rowEndsLine(uint32_t w) { return (w & kRowEndsLine) != 0; }
inline uint32_t withLen(uint32_t w, int len) { return (w & ~kRowLenMask) | (uint32_t(len) << kRowLenShift); }
inline uint32_t withPos(uint32_t w, unsigned pos) { return (w & ~kRowPosMask) | (pos & kRowPosMask); }

}  // namespace viewer
