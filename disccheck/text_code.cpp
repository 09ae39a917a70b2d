#include "text_code.h"

#include <windows.h>

namespace disccheck {

std::string utf8FromSjis(const std::string& sjis) {
    if (sjis.empty()) return sjis;
    int n = MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), &wide[0], n);
    int k = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(k > 0 ? k : 0), '\0');
    if (k > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, &out[0], k, nullptr, nullptr);
    return out;
}

}  // namespace disccheck
